#pragma once
// The single-line text entry window: a label, one edit, OK and Cancel.

#include <QDialog>

class QLabel;
class QLineEdit;

namespace quorvex {

class TEditForm : public QDialog {
    Q_OBJECT
public:
    explicit TEditForm(QWidget* parent = nullptr);
    // Sets caption, label and text, runs the window; the entered text after OK, else nothing.
    bool Run(const QString& caption, const QString& label, QString& text);

    QLabel* TextLabel = nullptr;
    QLineEdit* TextEdit = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
};

} // namespace quorvex
