#pragma once
// The operator's answers to a settlement's questions, from a script: every question
// and message is kept in `asked` in turn, and a question past the script gets the
// answer the test chose.
#include "platform/wx_text.h"
#include "work/stock_take_out.h"

#include <deque>
#include <functional>
#include <vector>

class SettleScript : public work::TakeOutQuestions {
public:
    explicit SettleScript(Answer pastTheScript) : pastTheScript_(pastTheScript) {}

    std::deque<Answer> answers;
    std::vector<wxString> asked;
    // Runs when the shortfall question comes, to change the tables under the settlement.
    std::function<void()> onDebtQuestion;

    Answer Ask(const wxString& question, bool) override {
        asked.push_back(question);
        if (question == U("所差款是否保存到欠款记录中去？") && onDebtQuestion) onDebtQuestion();
        if (answers.empty()) return pastTheScript_;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    bool ChooseBin(const wxString&, wxString*) override { return false; }
    void Tell(const wxString& message) override { asked.push_back(message); }

private:
    Answer pastTheScript_;
};
