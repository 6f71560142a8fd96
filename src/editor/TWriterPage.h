#pragma once
#include <QString>
#include <QWidget>
#include <optional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class TEditorContext;
class TRadioGroup;

// "Writer": the start-up options of the application ini file. Every button writes its one
// key at once; closing or cancelling the editor undoes nothing.
class TWriterPage : public QWidget
{
    Q_OBJECT
public:
    static const QString WriteFailedText; // "Could not write to the application ini file"
    static const QString ErrorCaption;    // "Error"
    static const QString StaFileText;     // "Please choose a valid .sta file"
    static const QString HtmlFileText;    // "Please choose a html file"
    static const QString BmpFileText;     // "Please choose a Windows BMP file"
    static const QString LowColourText;   // the notice after switching the precautions off
    static const QString InformationCaption;
    static const QString FolderTitle; // the open dialog's title when choosing a folder

    TWriterPage(TEditorContext& context, QWidget* parent = nullptr);

    // Shows the start-up mode, the runtime lock and the low-colour setting the host read
    // at start; false when that failed.
    bool Fill();

    void W_Btn_StaClick();
    void W_Btn_SUWClick();
    void W_Btn_IFileClick();
    void W_Btn_AFolderClick();
    void W_Btn_YLFileClick();
    void W_Btn_StaUpModeClick();
    void W_Btn_IRTimeClick();
    void W_Btn_DisWarnClick();

    QGroupBox* StartUpGroup = nullptr;
    QPushButton* W_Btn_Sta = nullptr;
    QPushButton* W_Btn_SUW = nullptr;
    QPushButton* W_Btn_IFile = nullptr;
    QPushButton* W_Btn_AFolder = nullptr;
    QPushButton* W_Btn_YLFile = nullptr;
    QGroupBox* DWGroup = nullptr;
    QCheckBox* RTLockCheckBox = nullptr;
    QPushButton* W_Btn_IRTime = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    TRadioGroup* SUM_RadioGroup = nullptr;
    QPushButton* W_Btn_StaUpMode = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QCheckBox* ColWarnCheckBox = nullptr;
    QPushButton* W_Btn_DisWarn = nullptr;

private:
    // Sets the open dialog up for one file choice in the program's folder and runs it.
    std::optional<QString> ChooseFile(const QString& filter, const QString& defaultExt);
    // The folder of a file the user picks; the dialog's title is cleared afterwards.
    std::optional<QString> ChooseFolder();
    // Reports a write that returned false; returns ok.
    static bool Written(bool ok);
    // Writes a path key of "StartUp", refusing (as a failed write) a name that is not
    // valid UTF-8 on the disk.
    static bool WritePath(const QString& key, const QString& path);

    TEditorContext& m_context;
};
