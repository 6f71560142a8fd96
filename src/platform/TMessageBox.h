#pragma once
#include <QString>
#include <functional>

// Every modal message of the program goes through here, so tests can capture them
// instead of showing them.
enum class TMsgIcon { None, Information, Warning, Error };
enum class TMsgButtons { Ok, OkCancel };
enum class TMsgResult { Ok, Cancel };

struct TMessage
{
    QString text;
    QString caption;
    TMsgButtons buttons = TMsgButtons::Ok;
    TMsgIcon icon = TMsgIcon::Warning;
};

class TMessageBox
{
public:
    using Hook = std::function<TMsgResult(const TMessage&)>;

    // Shows a modal message box (the exclamation icon is TMsgIcon::Warning) and returns
    // the button pressed; with a hook installed the hook answers instead.
    static TMsgResult Show(const QString& text, const QString& caption,
                           TMsgButtons buttons = TMsgButtons::Ok,
                           TMsgIcon icon = TMsgIcon::Warning);
    static void SetHook(Hook hook); // an empty hook shows real boxes again
};
