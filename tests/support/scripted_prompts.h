#pragma once
// The user as a script: every question and message a command puts to the
// user is recorded, and questions are answered from a queue. A question
// that no answer was queued for fails the test: a command that asks more
// than the scenario expects is a fault, not a default "Yes".
//
// Texts are recorded as they were asked (UTF-8, "\r" for a line break).

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/workflow/prompts.h"

namespace talmorek::testing {

struct Message {
    std::string kind;   // question, questionDefaultNo, questionOrDismiss, exclamation, information, infoDialog, failure
    std::string text;   // the heading for infoDialog
    std::string title;  // the caption for infoDialog
    std::string body;   // infoDialog only
    bool operator==(const Message&) const = default;
};

void PrintTo(const Message& m, std::ostream* os);

class ScriptedPrompts : public workflow::Prompts {
public:
    bool question(const std::string& text, const std::string& title) override;
    bool questionDefaultNo(const std::string& text, const std::string& title) override;
    // Answered from `answers` too, unless `dismiss` asks for Escape.
    workflow::Answer questionOrDismiss(const std::string& text, const std::string& title) override;
    void exclamation(const std::string& text, const std::string& title) override;
    void information(const std::string& text, const std::string& title) override;
    void infoDialog(const std::string& caption, const std::string& heading, const std::string& body) override;
    void failure(const std::string& text, const std::string& title) override;

    // Answers to the next questions, in order; true is "Yes".
    std::deque<bool> answers;
    // The next this many questions that may be dismissed are dismissed
    // (Escape) instead of answered.
    int dismiss = 0;
    // When set, a question raises std::runtime_error with this text, as a
    // dialog that breaks would.
    std::string questionFails;
    // Called with every call as it comes, before a question is answered:
    // what the screen shows at that moment can be looked at.
    std::function<void(const Message&)> onMessage;
    // Every call in order.
    std::vector<Message> messages;
    // The same calls as one line each, for tests that compare whole
    // conversations: "question|title|text", "questionDefaultNo|title|text", "exclamation|title|text",
    // "information|title|text", "info|caption|heading|body", "failure|title|text".
    std::vector<std::string> calls;

private:
    void record(Message m);
    bool nextAnswer(const std::string& text, const std::string& title);
};

}  // namespace talmorek::testing
