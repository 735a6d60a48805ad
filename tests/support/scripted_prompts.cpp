#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace talmorek::testing {

void PrintTo(const Message& m, std::ostream* os) {
    *os << m.kind << "(\"" << m.text << "\", \"" << m.title << "\"";
    if (!m.body.empty()) *os << ", \"" << m.body << "\"";
    *os << ")";
}

void ScriptedPrompts::record(Message m) {
    if (m.kind == "infoDialog") {
        calls.push_back("info|" + m.title + "|" + m.text + "|" + m.body);
    } else {
        calls.push_back(m.kind + "|" + m.title + "|" + m.text);
    }
    if (onMessage) onMessage(m);
    messages.push_back(std::move(m));
}

bool ScriptedPrompts::question(const std::string& text, const std::string& title) {
    record({"question", text, title, {}});
    return nextAnswer(text, title);
}

bool ScriptedPrompts::questionDefaultNo(const std::string& text, const std::string& title) {
    record({"questionDefaultNo", text, title, {}});
    return nextAnswer(text, title);
}

workflow::Answer ScriptedPrompts::questionOrDismiss(const std::string& text, const std::string& title) {
    record({"questionOrDismiss", text, title, {}});
    if (dismiss > 0) {
        --dismiss;
        return workflow::Answer::Dismissed;
    }
    return nextAnswer(text, title) ? workflow::Answer::Yes : workflow::Answer::No;
}

bool ScriptedPrompts::nextAnswer(const std::string& text, const std::string& title) {
    if (!questionFails.empty()) throw std::runtime_error(questionFails);
    if (answers.empty()) {
        ADD_FAILURE() << "a question nobody scripted: " << title << ": " << text;
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedPrompts::exclamation(const std::string& text, const std::string& title) {
    record({"exclamation", text, title, {}});
}

void ScriptedPrompts::information(const std::string& text, const std::string& title) {
    record({"information", text, title, {}});
}

void ScriptedPrompts::infoDialog(const std::string& caption, const std::string& heading, const std::string& body) {
    record({"infoDialog", heading, caption, body});
}

void ScriptedPrompts::failure(const std::string& text, const std::string& title) {
    record({"failure", text, title, {}});
}

}  // namespace talmorek::testing
