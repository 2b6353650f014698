#include "MainWindowControls.h"

#include "CaptionFrame.h"
#include "TabStrip.h"
#include "ui/common/Twips.h"

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
#include <stdexcept>

namespace corvano {

namespace {

template <typename Widget> Widget* place(Widget* widget, const char* name, QRect twipsRect)
{
    widget->setObjectName(name);
    widget->setGeometry(twipsRect);
    return widget;
}

QFrame* page(QWidget& window, const char* name)
{
    auto* frame = place(new QFrame(&window), name, Twips::rect(120, 480, 6735, 5295));
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

QGroupBox* group(QWidget* parent, const char* name, const QString& caption, QRect twipsRect)
{
    return place(new CaptionFrame(caption, parent), name, twipsRect);
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect twipsRect)
{
    auto* text = place(new QLabel(caption, parent), name, twipsRect);
    text->setTextFormat(Qt::PlainText);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return text;
}

QLineEdit* line(QWidget* parent, const char* name, QRect twipsRect)
{
    return place(new QLineEdit(parent), name, twipsRect);
}

QPlainTextEdit* multiLine(QWidget* parent, const char* name, QRect twipsRect)
{
    auto* box = place(new QPlainTextEdit(parent), name, twipsRect);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves on to the next control rather than typing a tab character.
    box->setTabChangesFocus(true);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect twipsRect)
{
    auto* command = place(new QPushButton(caption, parent), name, twipsRect);
    command->setAutoDefault(false);
    return command;
}

// The font of the status labels: "宋体" at 10.5 points, regular; where that face is not
// installed, the first installed face that covers Simplified Chinese.
QFont statusFont()
{
    QStringList families{"宋体", "SimSun"};
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    if (!chinese.isEmpty())
        families.append(chinese.first());
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(10.5);
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
    TabStrip1 = place(new TabStrip(&window), "TabStrip1", Twips::rect(0, 0, 6975, 5895));
    TabStrip1->addTab("生成URL", "curl");
    TabStrip1->addTab("生成HTML", "Chtml");
    TabStrip1->addTab("字符串设置", "str");
}

void MainWindowControls::createUrlPage(QWidget& window)
{
    Frame3 = page(window, "Frame3");
    QLabel* label1 = label(Frame3, "Label1", "列表网址：", Twips::rect(240, 360, 975, 255));
    m_lines[0] = line(Frame3, "Text1", Twips::rect(1560, 240, 5055, 375));
    QLabel* label2 = label(Frame3, "Label2", "目标文件夹：", Twips::rect(240, 840, 1215, 375));
    m_lines[1] = line(Frame3, "Text2", Twips::rect(1560, 720, 3975, 375));
    m_captions.insert(m_captions.end(), {{label1, m_lines[0]}, {label2, m_lines[1]}});
    Command2 = button(Frame3, "Command2", "浏 览...", Twips::rect(5640, 720, 975, 375));
    QGroupBox* frame1 = group(Frame3, "Frame1", "URL文件内容", Twips::rect(120, 1200, 6495, 2535));
    m_text3 = multiLine(frame1, "Text3", Twips::rect(120, 240, 6255, 2055));
    createStatusFrame(*Frame3);
    Command3 = button(Frame3, "Command3", "生成文件", Twips::rect(5160, 4200, 1335, 495));
}

void MainWindowControls::createStatusFrame(QWidget& page)
{
    QGroupBox* frame2 = group(&page, "Frame2", "处理状态", Twips::rect(120, 3840, 4695, 1335));
    Label5 = label(frame2, "Label5", "", Twips::rect(240, 360, 4335, 375));
    Label3 = label(frame2, "Label3", "", Twips::rect(1440, 840, 1095, 255));
    Label4 = label(frame2, "Label4", "", Twips::rect(2400, 840, 975, 255));
    for (QLabel* status : {Label3, Label4, Label5})
        status->setFont(statusFont());
}

void MainWindowControls::createHtmlPage(QWidget& window)
{
    Frame7 = page(window, "Frame7");
    m_text9 = multiLine(Frame7, "Text9", Twips::rect(120, 240, 6495, 3975));
    Command1 = button(Frame7, "Command1", "保 存", Twips::rect(3000, 4440, 1215, 375));
    Frame7->hide();
}

void MainWindowControls::createStringPage(QWidget& window)
{
    Frame5 = page(window, "Frame5");
    createFilterFrame(*Frame5);
    createReplaceFrame(*Frame5);
    Frame5->hide();
}

void MainWindowControls::createFilterFrame(QWidget& page)
{
    QGroupBox* frame4 = group(&page, "Frame4", "字符串设置", Twips::rect(120, 240, 6495, 1815));
    QLabel* label6 = label(frame4, "Label6", "起始字符串：", Twips::rect(120, 360, 1095, 255));
    m_lines[3] = line(frame4, "Text4", Twips::rect(1440, 240, 4935, 375));
    QLabel* label7 = label(frame4, "Label7", "结束字符串：", Twips::rect(120, 840, 1095, 255));
    m_lines[4] = line(frame4, "Text5", Twips::rect(1440, 720, 4935, 375));
    QLabel* label8 = label(frame4, "Label8", "URL包含字符串：", Twips::rect(120, 1320, 1455, 375));
    m_lines[5] = line(frame4, "Text6", Twips::rect(1440, 1200, 4935, 375));
    m_captions.insert(m_captions.end(),
                      {{label6, m_lines[3]}, {label7, m_lines[4]}, {label8, m_lines[5]}});
}

void MainWindowControls::createReplaceFrame(QWidget& page)
{
    QGroupBox* frame6 = group(&page, "Frame6", "字符串替换", Twips::rect(120, 2160, 6495, 2175));
    QLabel* label9 = label(frame6, "Label9", "被替换字符串：", Twips::rect(120, 360, 1335, 375));
    m_lines[6] = line(frame6, "Text7", Twips::rect(1320, 240, 4935, 375));
    QLabel* label10 = label(frame6, "Label10", "替换字符串：", Twips::rect(120, 720, 1215, 375));
    m_lines[7] = line(frame6, "Text8", Twips::rect(1320, 720, 4935, 375));
    m_captions.insert(m_captions.end(), {{label9, m_lines[6]}, {label10, m_lines[7]}});
    QLabel* note = label(frame6, "Label11",
                         "说明：字符串替换适用于网址引用网页相对路径的情况，您可以将路径替换成网址"
                         "和绝对绝径。",
                         Twips::rect(360, 1440, 6015, 615));
    note->setWordWrap(true);
    // In the room between the pair and the note: it completes what the pair cannot.
    Check1 =
        place(new QCheckBox("补全相对网址", frame6), "Check1", Twips::rect(1320, 1110, 4935, 330));
}

void MainWindowControls::setFocusOrder()
{
    const std::array<QWidget*, 14> order{textBox(2), Command2,   textBox(3), textBox(1), textBox(6),
                                         textBox(5), textBox(4), Command3,   textBox(7), textBox(8),
                                         Check1,     m_text9,    Command1,   TabStrip1};
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindowControls::fitCaptions()
{
    for (const auto& [caption, box] : m_captions)
        fitBefore(*caption, *box);
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
