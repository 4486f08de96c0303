#pragma once

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lexamo::test {

/// Runs each test inside a fresh temporary folder as the working directory, restoring the
/// previous one afterwards: the code under test resolves course paths against it.
class TempFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_folder.path()));
    }

    void TearDown() override { QDir::setCurrent(m_previous); }

    /// Writes a file relative to the working directory, creating its folders.
    static void writeFile(const QString& path, QByteArrayView bytes)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        ASSERT_EQ(file.write(bytes.data(), bytes.size()), bytes.size());
    }

    static void makeFolder(const QString& path) { ASSERT_TRUE(QDir().mkpath(path)); }

    /// The working directory as the program sees it (symbolic links resolved).
    static QString workingDirectory() { return QDir::currentPath(); }

private:
    QTemporaryDir m_folder;
    QString m_previous;
};

} // namespace lexamo::test
