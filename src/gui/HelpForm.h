#pragma once
// The help viewer: the HTML pages of the program's help folder in a browser window.

#include <QWidget>

class QTextBrowser;

namespace quorvex {

class THelpForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpForm(QWidget* parent = nullptr);
    // Shows page (a file name in the help folder, "index.html" by default).
    void ShowPage(const QString& page = QStringLiteral("index.html"));
    static QString HelpFolder();
    // The page (with its anchor) that explains the controls of a help context number.
    static QString PageOfContext(int context);
    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

} // namespace quorvex
