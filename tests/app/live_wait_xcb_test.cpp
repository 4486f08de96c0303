// The window stays alive while it speaks, on a real X server: during a long utterance it repaints
// what another window drew over it, answers the window manager's _NET_WM_PING, and keeps a real
// click for after the speech. Runs under xvfb-run on Qt's xcb platform.

#include "form_fixture.h"

#include <QEvent>
#include <QGraphicsView>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <xcb/xcb.h>

namespace lexamo::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const auto cookie = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

bool allBlack(xcb_connection_t* connection, xcb_window_t window, xcb_rectangle_t area)
{
    xcb_get_image_reply_t* image =
        xcb_get_image_reply(connection,
                            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, area.x,
                                          area.y, area.width, area.height, ~0u),
                            nullptr);
    if (image == nullptr)
        return true;
    const std::uint8_t* data = xcb_get_image_data(image);
    const bool black = std::all_of(data, data + xcb_get_image_data_length(image),
                                   [](std::uint8_t byte) { return byte == 0; });
    std::free(image);
    return black;
}

/// What the window manager would do during the speech, from a connection of its own.
struct WindowManagerProbe
{
    std::atomic<long long> pingAnsweredMs{-1};
    std::atomic<bool> repaired{false};

    void run(xcb_window_t window, QPoint click)
    {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection))
            return;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        // Where the window answers a ping, as a window manager would see it.
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        const xcb_atom_t protocols = atom(connection, "WM_PROTOCOLS");
        const xcb_atom_t ping = atom(connection, "_NET_WM_PING");
        std::this_thread::sleep_for(300ms);

        // Black over the window, as a window dragged across it would leave, then an expose.
        const xcb_gcontext_t black = xcb_generate_id(connection);
        const std::uint32_t blackPixel =
            xcb_setup_roots_iterator(xcb_get_setup(connection)).data->black_pixel;
        xcb_create_gc(connection, black, window, XCB_GC_FOREGROUND, &blackPixel);
        const xcb_rectangle_t all = {0, 0, 400, 300};
        xcb_poly_fill_rectangle(connection, window, black, 1, &all);
        xcb_clear_area(connection, 1, window, 0, 0, 0, 0);
        xcb_flush(connection);

        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = protocols;
        message.data.data32[0] = ping;
        message.data.data32[1] = 4242;
        message.data.data32[2] = window;
        const auto sent = Clock::now();
        xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection);
        while (Clock::now() - sent < 2s && pingAnsweredMs < 0) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
                if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                    const auto* reply = reinterpret_cast<xcb_client_message_event_t*>(event);
                    if (reply->type == protocols && reply->data.data32[0] == ping &&
                        reply->data.data32[1] == 4242)
                        pingAnsweredMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                             Clock::now() - sent)
                                             .count();
                }
                std::free(event);
            }
            std::this_thread::sleep_for(5ms);
        }
        const auto exposed = Clock::now();
        while (!repaired && Clock::now() - exposed < 1s) {
            repaired = !allBlack(connection, window, all);
            std::this_thread::sleep_for(20ms);
        }
        xcb_disconnect(connection);

        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("mousemove"), QStringLiteral("--window"),
                           QString::number(window), QString::number(click.x()),
                           QString::number(click.y()), QStringLiteral("click"),
                           QStringLiteral("1")});
    }
};

class LiveWaitOnX : public FormFixture
{
};

TEST_F(LiveWaitOnX, RepaintsAnswersPingsAndKeepsClicksForAfterTheSpeech)
{
    writeCourse(QString(), QStringLiteral("Live"), {"I am"}, {"私は"});
    createForms();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form1.get()));
    form1->SubDirectory = QStringLiteral("./");
    form1->InitialGame();
    QTest::qWait(200);
    log.events.clear();

    WordPushButton* target = nullptr;
    for (int i = 1; i <= WordButtonCount && !target; ++i) {
        auto* button = form1->wordButtons[std::size_t(i)];
        if (button->isVisible() && button->text() == QStringLiteral("I"))
            target = button;
    }
    ASSERT_NE(target, nullptr);
    ScaledView* view = form1->scaledView();
    const QPoint inScene = target->mapTo(view->surface(), target->rect().center());
    const QPoint click = view->viewport()->mapTo(form1.get(), view->mapFromScene(inScene));

    WindowManagerProbe probe;
    std::jthread prober;
    speech->utteranceLength = 3s;
    speech->onSpeak = [&](const QString&) {
        prober =
            std::jthread([&, window = xcb_window_t(form1->winId())] { probe.run(window, click); });
    };
    form1->bbtnListenAgain->click();
    prober.join();
    // The click was queued during the speech; it is handled now, after it.
    QTest::qWait(500);

    EXPECT_GE(probe.pingAnsweredMs.load(), 0) << "the ping was never answered";
    EXPECT_LT(probe.pingAnsweredMs.load(), 500);
    EXPECT_TRUE(probe.repaired) << "the window stayed black after the expose";
    EXPECT_EQ(log.only({"speak:", "spoken:", "play:"}),
              (QStringList{"speak:I am | jap=私は answer= words=I,am circle=off", "spoken:I am",
                           "play:SysPu"}));
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("I"));
}

} // namespace
} // namespace lexamo::testing
