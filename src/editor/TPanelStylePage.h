#pragma once
#include <QWidget>

class QLineEdit;
class QPushButton;
class TEditorContext;

// "Panel Style": the background panel page's gradient colours, tile bitmap and gaps.
class TPanelStylePage : public QWidget
{
    Q_OBJECT
public:
    TPanelStylePage(TEditorContext& context, QWidget* parent = nullptr);

    // Shows the panel page's gaps in the four gap fields; false when that failed.
    bool Fill();
    // Refills the gap fields only (the "Panel" mode button does it).
    bool FillGaps();

    void Button2Click(); // "Highlight"
    void Button4Click(); // "LoLight"
    void Button1Click(); // "BitmapStyle"
    void Button3Click(); // "Gaps"

    QPushButton* Button2 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QLineEdit* Edit1 = nullptr; // top
    QLineEdit* Edit2 = nullptr; // left
    QLineEdit* Edit3 = nullptr; // right
    QLineEdit* Edit4 = nullptr; // bottom

private:
    void Gradient(bool hiLight);

    TEditorContext& m_context;
};
