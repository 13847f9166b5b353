#include "MediaForm.h"

#include "platform/Prompt.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSocketNotifier>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <fcntl.h>
#include <unistd.h>

namespace quorvex
{

namespace
{

// How often the drives are looked at: a disc put in changes no mount table until it is
// mounted, so the mount table alone does not tell.
constexpr int WatchInterval = 1000;

QIcon MediumPicture(const QString& mediaTypeName, const QStyle* style)
{
    const bool optical = mediaTypeName.contains(QLatin1String("CD"), Qt::CaseInsensitive) ||
                         mediaTypeName.contains(QLatin1String("DVD"), Qt::CaseInsensitive);
    const bool floppy = mediaTypeName.contains(QLatin1String("\""));
    const QString theme = optical  ? QStringLiteral("media-optical")
                          : floppy ? QStringLiteral("media-floppy")
                                   : QStringLiteral("drive-removable-media");
    const QStyle::StandardPixmap fallback = optical  ? QStyle::SP_DriveCDIcon
                                            : floppy ? QStyle::SP_DriveFDIcon
                                                     : QStyle::SP_DriveHDIcon;
    return QIcon::fromTheme(theme, style->standardIcon(fallback));
}

} // namespace

TMediaForm::TMediaForm(const TMediumRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request)
{
    setObjectName("MediaForm");
    setWindowTitle("Insert Media");
    Picture = new QLabel;
    Picture->setObjectName("Picture");
    QPixmap picture = MediumPicture(request.MediaTypeName, style()).pixmap(48, 48);
    if (picture.width() < 48) // a style's own icons come small
        picture = picture.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Picture->setPixmap(picture);
    Picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    TextLabel = new QLabel("Please insert media labeled:");
    NameLabel = new QLabel(request.DiskName);
    NameLabel->setObjectName("NameLabel");
    QFont bold = NameLabel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    NameLabel->setFont(bold);
    NameLabel->setTextFormat(Qt::PlainText);
    TypeLabel = new QLabel("(Media type: " + request.MediaTypeName + ")");
    TypeLabel->setObjectName("TypeLabel");
    QString details =
        "Volume label: " + (request.Label.isEmpty() ? QStringLiteral("(none)") : request.Label);
    details += "\nSerial number: " + request.Serial;
    DetailsLabel = new QLabel(details);
    DetailsLabel->setObjectName("DetailsLabel");
    DetailsLabel->setTextFormat(Qt::PlainText);
    auto* waiting = new QLabel("The medium is picked up as soon as it is in the drive.");
    waiting->setEnabled(false);

    OKBtn = new QPushButton("&OK");
    OKBtn->setObjectName("OKBtn");
    OKBtn->setToolTip("Look for the medium again");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("&Cancel");
    CancelBtn->setObjectName("CancelBtn");
    ManualBtn = new QPushButton("&Manual Select");
    ManualBtn->setObjectName("ManualBtn");
    ManualBtn->setVisible(request.AllowManual);
    connect(OKBtn, &QPushButton::clicked, this, [this] { Finish(pbOK); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { Finish(pbCancel); });
    connect(ManualBtn, &QPushButton::clicked, this, [this] { Finish(pbManualSelect); });

    auto* texts = new QVBoxLayout;
    texts->addWidget(TextLabel);
    texts->addWidget(NameLabel);
    texts->addWidget(TypeLabel);
    texts->addSpacing(6);
    texts->addWidget(DetailsLabel);
    texts->addSpacing(6);
    texts->addWidget(waiting);
    auto* top = new QHBoxLayout;
    top->addWidget(Picture);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout; // a centred row of two or three
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    if (request.AllowManual) buttons->addWidget(ManualBtn);
    buttons->addStretch(1);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addSpacing(8);
    v->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));

    Watch = new QTimer(this);
    Watch->setInterval(WatchInterval);
    connect(Watch, &QTimer::timeout, this, [this] { LookNow(); });
    Watch->start();
#ifdef __linux__
    // The kernel flags the mount table as changed at once; the timer covers the rest.
    m_mountInfo = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (m_mountInfo >= 0) {
        m_mountChanges = new QSocketNotifier(m_mountInfo, QSocketNotifier::Exception, this);
        connect(m_mountChanges, &QSocketNotifier::activated, this, [this] {
            // Reading it through re-arms the notification.
            char buffer[4096];
            ::lseek(m_mountInfo, 0, SEEK_SET);
            while (::read(m_mountInfo, buffer, sizeof buffer) > 0) {
            }
            LookNow();
        });
    }
#endif
}

TMediaForm::~TMediaForm()
{
    delete m_mountChanges;
    if (m_mountInfo >= 0) ::close(m_mountInfo);
}

void TMediaForm::LookNow()
{
    if (m_looking || !m_request.Present || !isVisible()) return;
    m_looking = true;
    const bool present = m_request.Present();
    m_looking = false;
    if (present) Finish(pbOK);
}

void TMediaForm::Finish(int answer)
{
    m_answer = answer;
    Watch->stop();
    if (answer == pbCancel)
        QDialog::reject();
    else
        QDialog::accept();
}

void TMediaForm::reject()
{
    Finish(pbCancel); // Escape and the window's close button
}

int TGuiMediumPrompt::AskForMedium(const TMediumRequest& request)
{
    TMediaForm form(request, QApplication::activeWindow());
    form.exec();
    return form.Answer() ? form.Answer() : int(pbCancel);
}

} // namespace quorvex
