#include "previewwindow.h"

#include "commandbutton.h"
#include "messagebox.h"
#include "picturebox.h"
#include "twiprect.h"

#include <QCloseEvent>
#include <QPushButton>

namespace {

constexpr int EditorOuterWidth = 1057; // 15855 twips
const QString EditorCaption = QStringLiteral("Zapquil: Moxlet APP");

} // namespace

PreviewWindow::PreviewWindow(FramedWindow *editor, PictureSaver saver)
    : FramedWindow(Frame::Border)
    , m_editor(editor)
    , m_editorPlace(editor ? editor->pos() : QPoint())
    , m_saver(std::move(saver))
    , m_picture(new PictureBox(QStringLiteral("Picture2"), clientArea()))
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setClientSize(TwipRect{0, 0, 10890, 9720}.toPixels().size());

    m_picture->setBorder(true);
    m_picture->setBackground(m_picture->palette().color(QPalette::Base));
    m_picture->setAutoSize(true);
    m_picture->setPicture(QPixmap(QStringLiteral(":/pictures/export/preview-placeholder.png")));

    connect(createCommandButton("Command1", QStringLiteral("SAVE"), {8760, 120, 1935, 615}, clientArea()),
            &QPushButton::clicked, this, &PreviewWindow::Command1_Click);
    connect(createCommandButton("Command2", QStringLiteral("Back"), {8760, 840, 1935, 615}, clientArea()),
            &QPushButton::clicked, this, &PreviewWindow::Command2_Click);
    centerOnScreen();
}

void PreviewWindow::setPicture(const QImage &picture)
{
    m_image = picture;
    m_picture->setPicture(QPixmap::fromImage(picture));
    const float height = pixelsToTwips(m_picture->height()) + 500;
    setOuterSize(QSize(width(), twipsToPixels(height)));
}

QImage PreviewWindow::picture() const
{
    return m_image;
}

void PreviewWindow::Command1_Click()
{
    const SaveOutcome outcome = m_saver.save(m_image);
    if (!outcome.saved) {
        showMessage(this,
                    QStringLiteral("The picture could not be saved at %1\r\n%2").arg(outcome.path, outcome.reason),
                    QStringLiteral("Zapquil"), MessageIcon::Warning);
        return;
    }
    showMessage(this, QStringLiteral("Picture has been saved at ") + outcome.path, QStringLiteral("Successfull"),
                MessageIcon::Information);
    m_saved = true;
    close();
    emit saved(outcome.path);
}

void PreviewWindow::Command2_Click()
{
    close();
}

void PreviewWindow::restoreEditor()
{
    if (!m_editor)
        return;
    m_editor->setWindowTitle(EditorCaption);
    m_editor->setOuterSize(QSize(EditorOuterWidth, m_editor->height()));
    m_editor->showAt(m_editorPlace);
}

void PreviewWindow::closeEvent(QCloseEvent *event)
{
    // Closed by Back or by the window manager alike: the editor never stays hidden.
    if (!m_saved)
        restoreEditor();
    event->accept();
}
