#include "MainWindowControls.h"

#include "CaptionFrame.h"
#include "TabStrip.h"
#include "ui/common/qt/PlaceControl.h"
#include "ui/common/qt/Twips.h"
#include "ui/main/MainWindowLayout.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <cmath>
#include <stdexcept>

namespace corvano {

namespace {

QFrame* page(QWidget& window, const ControlLayout& layout)
{
    auto* frame = place(new QFrame(&window), layout);
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

QGroupBox* group(QWidget* parent, const ControlLayout& layout)
{
    return place(new CaptionFrame(layout.caption, parent), layout);
}

QLabel* label(QWidget* parent, const ControlLayout& layout)
{
    auto* text = place(new QLabel(layout.caption, parent), layout);
    text->setTextFormat(Qt::PlainText);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return text;
}

QLineEdit* line(QWidget* parent, const ControlLayout& layout)
{
    return place(new QLineEdit(parent), layout);
}

QPlainTextEdit* multiLine(QWidget* parent, const ControlLayout& layout)
{
    auto* box = place(new QPlainTextEdit(parent), layout);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves on to the next control rather than typing a tab character.
    box->setTabChangesFocus(true);
    return box;
}

QPushButton* button(QWidget* parent, const ControlLayout& layout)
{
    auto* command = place(new QPushButton(layout.caption, parent), layout);
    command->setAutoDefault(false);
    return command;
}

// The font of the status labels: "宋体" at 10.5 points, regular; where that face is not
// installed, the first installed face that covers Simplified Chinese.
QFont statusFont()
{
    QStringList families{MainWindowLayout::kStatusFontFace, "SimSun"};
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    if (!chinese.isEmpty())
        families.append(chinese.first());
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(MainWindowLayout::kStatusFontPoints);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::AnyStyle, QFont::PreferMatch);
    return font;
}

void fitBefore(QLabel& caption, const QWidget& box)
{
    // The text box lies over the end of its caption; a caption that reaches under it is
    // drawn smaller, down to a size that stays legible.
    constexpr qreal kSmallestPoints = 6.0;
    const int room = std::min(caption.width(), box.x() - caption.x());
    QFont font = caption.font();
    if (font.pointSizeF() <= 0)
        font.setPointSizeF(QFontInfo(font).pointSizeF());
    while (QFontMetrics(font).boundingRect(caption.text()).right() >= room &&
           font.pointSizeF() - 0.5 >= kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    if (font != caption.font())
        caption.setFont(font);
}

QString withLf(QString text)
{
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    return text;
}

QString withCrLf(const QString& text)
{
    QString crlf = text;
    return crlf.replace('\n', "\r\n");
}

} // namespace

MainWindowControls::MainWindowControls(QWidget& window)
{
    createTabStrip(window);
    createUrlPage(window);
    createHtmlPage(window);
    createStringPage(window);
    setFocusOrder();
}

void MainWindowControls::createTabStrip(QWidget& window)
{
    TabStrip1 = place(new TabStrip(&window), MainWindowLayout::TabStrip1);
    for (const MainWindowLayout::Tab& tab : MainWindowLayout::kTabs)
        TabStrip1->addTab(tab.caption, tab.key);
}

void MainWindowControls::createUrlPage(QWidget& window)
{
    Frame3 = page(window, MainWindowLayout::Frame3);
    QLabel* label1 = label(Frame3, MainWindowLayout::Label1);
    m_lines[0] = line(Frame3, MainWindowLayout::Text1);
    QLabel* label2 = label(Frame3, MainWindowLayout::Label2);
    m_lines[1] = line(Frame3, MainWindowLayout::Text2);
    m_captions.insert(m_captions.end(), {{label1, m_lines[0]}, {label2, m_lines[1]}});
    Command2 = button(Frame3, MainWindowLayout::Command2);
    QGroupBox* frame1 = group(Frame3, MainWindowLayout::Frame1);
    m_text3 = multiLine(frame1, MainWindowLayout::Text3);
    createStatusFrame(*Frame3);
    Command3 = button(Frame3, MainWindowLayout::Command3);
}

void MainWindowControls::createStatusFrame(QWidget& page)
{
    QGroupBox* frame2 = group(&page, MainWindowLayout::Frame2);
    Label5 = label(frame2, MainWindowLayout::Label5);
    Label3 = label(frame2, MainWindowLayout::Label3);
    Label4 = label(frame2, MainWindowLayout::Label4);
    for (QLabel* status : {Label3, Label4, Label5})
        status->setFont(statusFont());
}

void MainWindowControls::createHtmlPage(QWidget& window)
{
    Frame7 = page(window, MainWindowLayout::Frame7);
    m_text9 = multiLine(Frame7, MainWindowLayout::Text9);
    // The link list grows with every run: it scrolls.
    m_text9->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Command1 = button(Frame7, MainWindowLayout::Command1);
    Frame7->hide();
}

void MainWindowControls::createStringPage(QWidget& window)
{
    Frame5 = page(window, MainWindowLayout::Frame5);
    createFilterFrame(*Frame5);
    createReplaceFrame(*Frame5);
    Command4 = button(Frame5, MainWindowLayout::Command4);
    Frame5->hide();
}

void MainWindowControls::createFilterFrame(QWidget& page)
{
    QGroupBox* frame4 = group(&page, MainWindowLayout::Frame4);
    QLabel* label6 = label(frame4, MainWindowLayout::Label6);
    m_lines[3] = line(frame4, MainWindowLayout::Text4);
    QLabel* label7 = label(frame4, MainWindowLayout::Label7);
    m_lines[4] = line(frame4, MainWindowLayout::Text5);
    QLabel* label8 = label(frame4, MainWindowLayout::Label8);
    m_lines[5] = line(frame4, MainWindowLayout::Text6);
    m_captions.insert(m_captions.end(),
                      {{label6, m_lines[3]}, {label7, m_lines[4]}, {label8, m_lines[5]}});
}

void MainWindowControls::createReplaceFrame(QWidget& page)
{
    QGroupBox* frame6 = group(&page, MainWindowLayout::Frame6);
    QLabel* label9 = label(frame6, MainWindowLayout::Label9);
    m_lines[6] = line(frame6, MainWindowLayout::Text7);
    QLabel* label10 = label(frame6, MainWindowLayout::Label10);
    m_lines[7] = line(frame6, MainWindowLayout::Text8);
    m_captions.insert(m_captions.end(), {{label9, m_lines[6]}, {label10, m_lines[7]}});
    QLabel* note = label(frame6, MainWindowLayout::Label11);
    note->setWordWrap(true);
    Check1 =
        place(new QCheckBox(MainWindowLayout::Check1.caption, frame6), MainWindowLayout::Check1);
}

void MainWindowControls::setFocusOrder()
{
    const std::array<QWidget*, 15> order{textBox(2), Command2,   textBox(3), textBox(1), textBox(6),
                                         textBox(5), textBox(4), Command3,   textBox(7), textBox(8),
                                         Check1,     Command4,   m_text9,    Command1,   TabStrip1};
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindowControls::fitCaptions()
{
    for (const auto& [caption, box] : m_captions)
        fitBefore(*caption, *box);
}

void MainWindowControls::fitText9()
{
    // The box scrolls by whole lines from its top, so a height of whole lines leaves no line
    // cut at its foot; it keeps its designed top and shrinks by less than a line.
    const int lineHeight = QFontMetrics(m_text9->font()).lineSpacing();
    const int margins = 2 * (m_text9->frameWidth() +
                             static_cast<int>(std::ceil(m_text9->document()->documentMargin())));
    const int designed = Twips::toPixels(MainWindowLayout::Text9.rect.height);
    const int lines = (designed - margins) / lineHeight;
    if (lines > 0)
        m_text9->setFixedHeight(lines * lineHeight + margins);
}

QWidget* MainWindowControls::textBox(int number) const
{
    if (number == 3)
        return m_text3;
    if (number == 9)
        return m_text9;
    if (number < 1 || number > 8)
        throw std::out_of_range("the window has Text1 to Text9");
    return m_lines[static_cast<std::size_t>(number - 1)];
}

QString MainWindowControls::text(int number) const
{
    if (number == 3)
        return withCrLf(m_text3->toPlainText());
    if (number == 9)
        return withCrLf(m_text9->toPlainText());
    return static_cast<QLineEdit*>(textBox(number))->text();
}

void MainWindowControls::setText(int number, const QString& text)
{
    if (number == 3)
        m_text3->setPlainText(withLf(text));
    else if (number == 9)
        m_text9->setPlainText(withLf(text));
    else
        static_cast<QLineEdit*>(textBox(number))->setText(text);
}

void MainWindowControls::appendToText9(const QString& lines)
{
    // At the end, wherever the user's caret is.
    QTextCursor end(m_text9->document());
    end.movePosition(QTextCursor::End);
    end.insertText(withLf(lines));
}

} // namespace corvano
