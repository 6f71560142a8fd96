#pragma once
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>

// The black, borderless, always-on-top window that serves as the low-colour warning at
// start and as the about window. Only "Continue" closes it, and closing only hides it.
class TSplashForm : public QWidget
{
    Q_OBJECT
public:
    static constexpr int DesignWidth = 423;
    static constexpr int DesignHeight = 366;
    static inline const QString CrLf = QStringLiteral("\r\n");

    TSplashForm();

    QWidget* SplashPanel = nullptr;
    QLabel* Image1 = nullptr;
    QTextEdit* SplashMessage = nullptr;
    QLabel* SplashCaption = nullptr;
    QPushButton* Button1 = nullptr;

    // The warning of a low-colour screen (colours 256 or fewer and the warning enabled),
    // or the credits note otherwise.
    void FillStartText(int colours, bool colourWarning);
    void FillAboutText();
    // The text of SplashMessage exactly as filled, line breaks included.
    QString MessageText() const { return m_text; }

    // Centres the panel in the client area, never above or left of it.
    void CentrePanel();

    void Button1Click();

protected:
    // The maximised warning gets its final size from the window system later.
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetMessage(const QString& text);
    QString m_text;
};
