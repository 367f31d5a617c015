#pragma once
// A message box that answers by itself from a list and remembers what it was asked.

#include <deque>
#include <string>
#include <vector>

#include "widgets/MsgBox.h"

namespace lumarc::test {

struct TQuestion {
    std::string Msg;
    std::string Caption;
    TMSGButtons Buttons;
    int Default = 0;  // the button Enter would press; 0 for the box's usual one
};

class TScriptedMsgBox : public TMsgBox {
public:
    TScriptedMsgBox(std::deque<int>& answers, std::vector<TQuestion>& asked) : FAnswers(answers), FAsked(asked) {}
    int Execute() override
    {
        FAsked.push_back({Msg().toStdString(), Caption().toStdString(), Buttons(), DefaultButton()});
        if (FAnswers.empty())
            return mrCancel;
        const int answer = FAnswers.front();
        FAnswers.pop_front();
        return answer;
    }

private:
    std::deque<int>& FAnswers;
    std::vector<TQuestion>& FAsked;
};

}  // namespace lumarc::test
