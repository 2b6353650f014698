#pragma once

#include <QWidget>

class QTabBar;

namespace corvano {

// A row of tabs above a plain pane, with no pages of its own: the window shows and hides
// its page frames, laid over the pane, according to the selected tab's caption.
class TabStrip : public QWidget
{
    Q_OBJECT

public:
    explicit TabStrip(QWidget* parent = nullptr);

    // Adds a tab at the next position; the key is kept with it.
    void addTab(const QString& caption, const QString& key);
    QString selectedCaption() const;
    QString selectedKey() const;
    // Selects the tab at a position counted from 1, without a Click.
    void selectTab(int position);
    QTabBar& tabs() { return *m_tabs; }

signals:
    // The user selected another tab.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* m_tabs;
    bool m_selecting = false;
};

} // namespace corvano
