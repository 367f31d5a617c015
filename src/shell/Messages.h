#pragma once
// How the viewer's messages reach the user: the program's message box, or the plain box with
// a stop icon that stands in for the framework's default error display. Replaceable, so that
// tests and the screenshot mode are never stopped by a modal window.

#include <QString>

#include <functional>

namespace lumarc {

enum class TMessageKind { mkMsgBox, mkDefaultError };
using TMessageHook = std::function<void(TMessageKind kind, const QString& caption, const QString& text)>;

// Returns the hook it replaces; an empty function restores the modal boxes.
TMessageHook SetMessageHook(TMessageHook hook);
void ShowMessage(TMessageKind kind, const QString& caption, const QString& text);

}  // namespace lumarc
