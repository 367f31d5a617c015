#include "Messages.h"

#include <utility>

#include "widgets/MsgBox.h"

namespace lumarc {

namespace {

TMessageHook& MessageHook()
{
    static TMessageHook hook;
    return hook;
}

}  // namespace

TMessageHook SetMessageHook(TMessageHook hook)
{
    TMessageHook old = std::move(MessageHook());
    MessageHook() = std::move(hook);
    return old;
}

void ShowMessage(TMessageKind kind, const QString& caption, const QString& text)
{
    if (MessageHook()) {
        MessageHook()(kind, caption, text);
        return;
    }
    if (kind == TMessageKind::mkMsgBox) {
        TMsgBox box;
        box.SetCaption(caption);
        box.SetMsg(text);
        box.SetButtons(TMSGButtons::msgOK);
        box.Execute();
    } else {
        ShowPlainBox(true, caption, text);
    }
}

}  // namespace lumarc
