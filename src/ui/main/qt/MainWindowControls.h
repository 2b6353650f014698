#pragma once

#include <QString>
#include <array>
#include <utility>
#include <vector>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace corvano {

class TabStrip;

// The controls of the main window, created in their places on the window. Each widget's
// object name is its control name, so tests and tools can find it.
class MainWindowControls
{
public:
    explicit MainWindowControls(QWidget& window);

    // Text1 to Text9 by number. Text3 and Text9 are multi-line; their line breaks are CR LF.
    QString text(int number) const;
    void setText(int number, const QString& text);
    void appendToText9(const QString& lines);
    QWidget* textBox(int number) const;
    // Makes each caption beside a text box small enough to end before the box. Call once the
    // window's fonts are set.
    void fitCaptions();
    // Makes Text9 show whole lines only, its last one never cut in half. Call once the
    // window's fonts are set.
    void fitText9();

    TabStrip* TabStrip1;
    QFrame* Frame3;
    QFrame* Frame5;
    QFrame* Frame7;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QCheckBox* Check1; // "补全相对网址"
    QPushButton* Command4;

private:
    void createTabStrip(QWidget& window);
    void createUrlPage(QWidget& window);
    void createStatusFrame(QWidget& page);
    void createHtmlPage(QWidget& window);
    void createStringPage(QWidget& window);
    void createFilterFrame(QWidget& page);
    void createReplaceFrame(QWidget& page);
    void setFocusOrder();

    std::array<QLineEdit*, 8> m_lines{}; // index n - 1 for Text<n>; empty for Text3
    QPlainTextEdit* m_text3 = nullptr;
    QPlainTextEdit* m_text9 = nullptr;
    std::vector<std::pair<QLabel*, QWidget*>> m_captions; // a caption and the text box it names
};

} // namespace corvano
