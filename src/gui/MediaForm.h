#pragma once
// "Insert Media": asks for a catalogued medium by name, type, label and serial number, and
// while it is open watches the mount table and the drives, going on by itself as soon as
// the medium is there.

#include "scan/MediumPrompt.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
class QSocketNotifier;
class QTimer;

namespace quorvex
{

class TMediaForm : public QDialog
{
    Q_OBJECT
public:
    TMediaForm(const TMediumRequest& request, QWidget* parent = nullptr);
    ~TMediaForm() override;

    // The answer: pbOK (look again, or found by itself), pbCancel, pbManualSelect.
    int Answer() const { return m_answer; }
    // Looks for the medium now, as the watch does on every change.
    void LookNow();

    QLabel* Picture = nullptr;
    QLabel* TextLabel = nullptr;
    QLabel* NameLabel = nullptr;
    QLabel* TypeLabel = nullptr;
    QLabel* DetailsLabel = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* ManualBtn = nullptr;
    QTimer* Watch = nullptr;

    void reject() override;

private:
    void Finish(int answer);

    TMediumRequest m_request;
    int m_answer = 0;
    bool m_looking = false;
    int m_mountInfo = -1;
    QSocketNotifier* m_mountChanges = nullptr;
};

// The program's medium request: the dialog above over the active window.
class TGuiMediumPrompt : public IMediumPrompt
{
public:
    int AskForMedium(const TMediumRequest& request) override;
};

} // namespace quorvex
