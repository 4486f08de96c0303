#pragma once

#include <QString>

namespace lexamo::check {

/// The text of "lexamo-check --help".
QString helpText();

} // namespace lexamo::check
