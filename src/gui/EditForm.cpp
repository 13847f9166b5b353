#include "EditForm.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace quorvex {

TEditForm::TEditForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("EditForm");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    TextLabel = new QLabel(this);
    TextEdit = new QLineEdit(this);
    TextEdit->setMinimumWidth(300);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(TextLabel);
    layout->addWidget(TextEdit);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TEditForm::Run(const QString& caption, const QString& label, QString& text)
{
    setWindowTitle(caption);
    TextLabel->setText(label);
    TextEdit->setText(text);
    TextEdit->selectAll();
    if (exec() != QDialog::Accepted) return false;
    text = TextEdit->text();
    return true;
}

void TEditForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    TextEdit->setFocus();
}

bool TEditForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) TextEdit->setFocus();
    return QDialog::event(event);
}

} // namespace quorvex
