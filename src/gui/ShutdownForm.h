#pragma once
// The small window shown while the program frees a large amount of memory on exit.

#include <QWidget>

namespace quorvex
{

class TShutdownForm : public QWidget
{
    Q_OBJECT
public:
    explicit TShutdownForm(const QIcon& icon);
};

} // namespace quorvex
