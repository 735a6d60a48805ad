#pragma once
// What the commands of the main menu ask and tell the user. The program
// answers with modal message boxes and dialogs; tests answer from a script,
// so every command runs and is checked without a display.
//
// Texts are UTF-8; "\r" in a text is a line break.
#include <string>

namespace talmorek::workflow {

// The answer to a question the user may also put aside.
enum class Answer {
    Yes,
    No,
    Dismissed,  // Escape or the close box: neither answer given
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // A question with the buttons Yes and No, Yes the default; true for Yes.
    virtual bool question(const std::string& text, const std::string& title) = 0;
    // The same question with No the default, where a hasty Enter must not
    // lose what was typed.
    virtual bool questionDefaultNo(const std::string& text, const std::string& title) = 0;
    // A question with Yes and No, Yes the default, where Escape and the
    // close box answer neither: for a choice the user must make knowingly,
    // which putting the box aside postpones.
    virtual Answer questionOrDismiss(const std::string& text, const std::string& title) = 0;
    // A message with an exclamation icon and OK.
    virtual void exclamation(const std::string& text, const std::string& title) = 0;
    // A message with an information icon and OK.
    virtual void information(const std::string& text, const std::string& title) = 0;
    // The information dialog with a caption, a bold heading and a body.
    virtual void infoDialog(const std::string& caption, const std::string& heading, const std::string& body) = 0;
    // A command failed on a file or a number: the Czech sentence of the
    // failure (see czechMessage), shown as an error; the program goes on.
    virtual void failure(const std::string& text, const std::string& title) = 0;
};

}  // namespace talmorek::workflow
