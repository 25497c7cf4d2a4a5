#pragma once

#include <QHash>
#include <QObject>

class CaptionLabel;
class ChoiceList;
class PictureBox;
class QRadioButton;
class QWidget;
class ToolOptions;

// The backgrounds of the canvas and the controls that choose among them: the layout
// pictures `T1`..`T4`, the frame `PicImport` with its ten template boxes, every caption
// label, the three lists and the three template source options.
class TemplateControls : public QObject
{
    Q_OBJECT

public:
    TemplateControls(QWidget *client, ToolOptions *tools, QWidget *paletteCover);

    // What loading the main window does: the "Blank" captions come into view, `Label3`
    // first, and the two lists are filled.
    void showBlankCaptions();
    void fillLists();

    void Combo1_Click();
    void Combo2_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();

private:
    void createCaptions(QWidget *client);

    ToolOptions *m_tools;
    QWidget *m_cover;
    QHash<QString, PictureBox *> m_layoutPictures;
    PictureBox *m_import;
    QHash<QString, PictureBox *> m_templateBoxes;
    QHash<QString, CaptionLabel *> m_captions;
    ChoiceList *m_combo1;
    ChoiceList *m_combo2;
    ChoiceList *m_combo3;
    QRadioButton *m_option4;
    QRadioButton *m_option5;
    QRadioButton *m_option6;
};
