#include "templatecontrols.h"

#include "captionlabel.h"
#include "captiontable.h"
#include "choicelist.h"
#include "fonts.h"
#include "optionbutton.h"
#include "picturebox.h"
#include "templatecatalogue.h"
#include "tooloptions.h"
#include "twiprect.h"

#include <QRadioButton>

namespace {

const QString SelectTemplate = QStringLiteral("(Select Template)");

ChoiceList *makeList(const char *name, const QString &text, float left, float width, QWidget *client)
{
    auto *list = new ChoiceList(QLatin1String(name), text, client);
    list->setGeometry(TwipRect{left, 480, width, 450}.toPixels());
    list->setFont(Fonts::palatino(12));
    return list;
}

} // namespace

TemplateControls::TemplateControls(QWidget *client, ToolOptions *tools, QWidget *paletteCover)
    : QObject(client)
    , m_tools(tools)
    , m_cover(paletteCover)
    , m_import(new PictureBox(QStringLiteral("PicImport"), client))
    , m_combo1(makeList("Combo1", QStringLiteral("Blank"), 8760, 2175, client))
    , m_combo2(makeList("Combo2", SelectTemplate, 11040, 2295, client))
    , m_combo3(makeList("Combo3", SelectTemplate, 17040, 2295, client))
    , m_option4(createOptionButton("Option4", QStringLiteral("Bonus Template"), {17040, 120, 2055, 375}, client))
    , m_option5(createOptionButton("Option5", QStringLiteral("Import Template"), {11040, 120, 2295, 375}, client))
    , m_option6(createOptionButton("Option6", QStringLiteral("Free Template"), {8760, 120, 2175, 375}, client))
{
    for (const LayoutPicture &layout : layoutPictures()) {
        auto *picture = new PictureBox(QLatin1String(layout.name), client);
        picture->setGeometry(TwipRect{0, 0, 8520, 9480}.toPixels());
        picture->setPicture(QPixmap(QLatin1String(layout.picture)));
        picture->hide();
        m_layoutPictures.insert(picture->objectName(), picture);
    }

    m_import->setGeometry(TwipRect{0, 0, 8550, 9510}.toPixels());
    m_import->setBorder(true);
    m_import->setBackground(m_import->palette().color(QPalette::Base));
    m_import->setAutoSize(true);
    m_import->setPicture(QPixmap(QLatin1String(ImportPlaceholderPicture)));
    m_import->setFont(Fonts::tahomaBold(WindowFontPoints));
    m_import->hide();
    for (const TemplateEntry &entry : templateCatalogue()) {
        auto *box = new PictureBox(QLatin1String(entry.box), m_import->clientArea());
        box->setAutoSize(true);
        box->setPicture(QPixmap(QLatin1String(entry.picture)));
        box->move(0, entry.box == QLatin1String("picWhy") ? twipsToPixels(-240) : 0);
        box->hide();
        m_templateBoxes.insert(box->objectName(), box);
    }

    createCaptions(client);

    m_combo2->setEnabled(false);
    m_combo3->setEnabled(false);
    m_option6->setChecked(true);

    connect(m_combo1, &QComboBox::activated, this, &TemplateControls::Combo1_Click);
    connect(m_combo2, &QComboBox::activated, this, &TemplateControls::Combo2_Click);
    connect(m_option4, &QRadioButton::toggled, this, [this](bool on) { if (on) Option4_Click(); });
    connect(m_option5, &QRadioButton::toggled, this, [this](bool on) { if (on) Option5_Click(); });
    connect(m_option6, &QRadioButton::toggled, this, [this](bool on) { if (on) Option6_Click(); });
}

void TemplateControls::createCaptions(QWidget *client)
{
    for (const CaptionEntry &entry : captionTable()) {
        const QString container = QLatin1String(entry.container);
        QWidget *parent = container == QLatin1String("Form1") ? client : m_templateBoxes.value(container);
        auto *label = new CaptionLabel(QLatin1String(entry.name), entry.rect, parent);
        label->setFont(Fonts::tahomaBold(entry.fontPoints));
        label->setAlignment(entry.alignment);
        label->setCaption(QString::fromUtf8(entry.startCaption));
        label->setInputTitle(QLatin1String(entry.inputTitle));
        m_captions.insert(label->objectName(), label);
    }
}

void TemplateControls::showBlankCaptions()
{
    for (const char *name : {"Label3", "Label2"})
        m_captions.value(QLatin1String(name))->setLeft(findCaption(QLatin1String(name))->shownLeft);
}

void TemplateControls::fillLists()
{
    for (const LayoutEntry &layout : layoutCatalogue())
        m_combo1->appendItem(QLatin1String(layout.item));
    for (const TemplateEntry &entry : templateCatalogue())
        m_combo2->appendItem(QLatin1String(entry.item));
}

void TemplateControls::Combo1_Click()
{
    for (const CaptionEntry &entry : captionTable()) {
        if (entry.container == QLatin1String("Form1"))
            m_captions.value(QLatin1String(entry.name))->setLeft(ParkedLeft);
    }
    for (const LayoutEntry &layout : layoutCatalogue()) {
        if (m_combo1->currentText() != QLatin1String(layout.item))
            continue;
        for (auto it = m_layoutPictures.cbegin(); it != m_layoutPictures.cend(); ++it)
            it.value()->setVisible(layout.picture && it.key() == QLatin1String(layout.picture));
        for (const char *name : layout.labels) {
            if (name)
                m_captions.value(QLatin1String(name))->setLeft(findCaption(QLatin1String(name))->shownLeft);
        }
        return;
    }
}

void TemplateControls::Combo2_Click()
{
    for (const TemplateEntry &entry : templateCatalogue()) {
        if (m_combo2->currentText() != QLatin1String(entry.item))
            continue;
        for (auto it = m_templateBoxes.cbegin(); it != m_templateBoxes.cend(); ++it)
            it.value()->setVisible(it.key() == QLatin1String(entry.box));
        return;
    }
}

void TemplateControls::Option4_Click()
{
    m_import->hide();
    m_combo3->setEnabled(true);
    m_combo2->setEnabled(false);
    m_combo1->setEnabled(false);
    m_tools->setOptionsEnabled(false);
    m_tools->selectDoNothing();
}

void TemplateControls::Option5_Click()
{
    m_import->show();
    m_cover->show();
    m_combo2->setEnabled(true);
    m_combo1->setEnabled(false);
    m_combo3->setEnabled(false);
    m_tools->setOptionsEnabled(false);
    m_tools->selectDoNothing();
}

void TemplateControls::Option6_Click()
{
    m_cover->hide();
    m_import->hide();
    m_combo1->setEnabled(true);
    m_combo2->setEnabled(false);
    m_combo3->setEnabled(false);
    m_tools->setOptionsEnabled(true);
    m_tools->selectDoNothing();
}
