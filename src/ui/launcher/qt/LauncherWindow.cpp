#include "LauncherWindow.h"

#include "ClickLabel.h"
#include "PageStrip.h"
#include "StartupReport.h"
#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"
#include "ui/common/qt/CenterForm.h"
#include "ui/common/qt/PlaceControl.h"
#include "ui/common/qt/Twips.h"
#include "ui/common/qt/WindowIcon.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>

namespace corvano {

namespace {

LauncherWindow::Options withDefaults(LauncherWindow::Options options)
{
    if (options.programFolder.empty())
        options.programFolder = ProgramFolder::path();
    if (options.pictureFolder.empty())
        options.pictureFolder = options.programFolder + FileSystem::kSeparator + "img";
    if (!options.openAddress)
        options.openAddress = [](const QUrl& address) { QDesktopServices::openUrl(address); };
    return options;
}

QFont productNameFont()
{
    QFont name;
    // Where the first family is not installed, the next installed CJK face stands in.
    name.setFamilies({LauncherLayout::kNameFontFace, "WenQuanYi Micro Hei", "Noto Sans CJK SC",
                      "Droid Sans Fallback"});
    name.setPointSize(LauncherLayout::kNameFontPoints);
    name.setWeight(QFont::Normal);
    return name;
}

void makeWhite(QLabel& label)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label.setPalette(palette);
}

} // namespace

LauncherWindow::LauncherWindow(Options options)
    : m_options(withDefaults(std::move(options))), m_background(kBackground),
      m_b1(picturePath("B1.jpg")), m_b2(picturePath("B2.jpg")), m_label1(new ClickLabel(this)),
      m_label2(new ClickLabel(this)), m_label3(new ClickLabel(this)),
      m_picture1(new ClickLabel(this)), m_scriptlet1(new PageStrip(this))
{
    setObjectName("Form1");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(LauncherLayout::kTitle);
    setWindowIcon(WindowIcon::icon());
    setFixedSize(Twips::toPixels(LauncherLayout::kClientWidth),
                 Twips::toPixels(LauncherLayout::kClientHeight));
    createLabels();
    place(m_picture1, LauncherLayout::Picture1);
    place(m_scriptlet1, LauncherLayout::Scriptlet1);
    connectHandlers();
}

void LauncherWindow::createLabels()
{
    for (const auto& [label, layout] : {std::pair{m_label1, LauncherLayout::Label1},
                                        {m_label2, LauncherLayout::Label2},
                                        {m_label3, LauncherLayout::Label3}}) {
        place(label, layout);
        label->setText(layout.caption);
    }
    m_label1->setFont(productNameFont());
    makeWhite(*m_label2);
    makeWhite(*m_label3);
}

void LauncherWindow::connectHandlers()
{
    connect(m_label3, &ClickLabel::clicked, this, &LauncherWindow::Label3_Click);
    connect(m_picture1, &ClickLabel::mouseDown, this, &LauncherWindow::Picture1_MouseDown);
    connect(m_picture1, &ClickLabel::mouseUp, this, &LauncherWindow::Picture1_MouseUp);
    connect(m_picture1, &ClickLabel::clicked, this, &LauncherWindow::Picture1_Click);
}

QString LauncherWindow::picturePath(const char* name) const
{
    return QString::fromStdString(m_options.pictureFolder + FileSystem::kSeparator) + name;
}

std::optional<QString> LauncherWindow::Form_Load()
{
    CenterForm(*this);
    m_scriptlet1->resize(Twips::toPixels(LauncherLayout::kScriptletWidth),
                         Twips::toPixels(LauncherLayout::kScriptletHeight));
    if (m_background.isNull())
        return QString(kBackground);
    // B2.jpg is read here as well, so that a missing one is told at start, not at a press.
    for (PictureFile* picture : {&m_b2, &m_b1}) {
        if (!picture->load())
            return picture->path();
    }
    m_picture1->setPixmap(m_b1.pixmap());
    m_scriptlet1->load(m_options.pageAddress);
    return std::nullopt;
}

void LauncherWindow::paintEvent(QPaintEvent*)
{
    // The picture is one column wider than the window; it is drawn from the top-left corner.
    QPainter(this).drawPixmap(0, 0, m_background);
    if (!m_painted) {
        m_painted = true;
        StartupReport::firstPaint();
    }
}

void LauncherWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    // The pointer ends 220 twips right of and 50 twips below the window's top-left corner,
    // wherever the press began.
    const QPointF corner = QPointF(pos()) * Twips::kPerPixel;
    const QPointF pointer = event->position() * Twips::kPerPixel;
    const QPointF offset(LauncherLayout::kDragOffsetX, LauncherLayout::kDragOffsetY);
    move(Twips::toNearestPixels(corner + pointer - offset));
}

void LauncherWindow::Label3_Click()
{
    m_options.openAddress(QUrl::fromUserInput(LauncherLayout::kWebAddress));
}

void LauncherWindow::showPicture(PictureFile& picture)
{
    // A file gone since the start keeps its last picture rather than ending the program.
    picture.load();
    m_picture1->setPixmap(picture.pixmap());
}

void LauncherWindow::Picture1_MouseDown()
{
    showPicture(m_b2);
}

void LauncherWindow::Picture1_MouseUp()
{
    showPicture(m_b1);
}

void LauncherWindow::Picture1_Click()
{
    close();
    if (m_options.showMainWindow)
        m_options.showMainWindow();
}

} // namespace corvano
