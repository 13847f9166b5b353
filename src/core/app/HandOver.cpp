#include "app/HandOver.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>

#include <cstdlib>

namespace quorvex {

QString InstanceServerName()
{
    if (const char* name = std::getenv("QUORVEX_INSTANCE_NAME"); name && *name) return QString::fromLocal8Bit(name);
    const char* user = std::getenv("USER");
    return QStringLiteral("Quorvex WndClass-") + QString::fromLocal8Bit(user && *user ? user : "user");
}

std::string HandOverFileName(const std::string& tempFolder, int n)
{
    std::string folder = tempFolder.empty() ? std::string("/tmp") : tempFolder;
    if (folder.back() != '/') folder += '/';
    return folder + "Quorvex_Params" + std::to_string(n) + ".tmp";
}

int WriteHandOverFile(const std::vector<std::string>& params, const std::string& tempFolder,
                      const std::function<int()>& random)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        const int n = random ? random() : QRandomGenerator::global()->bounded(1, 10000);
        if (n < 1 || n > 9999) continue;
        QFile file(QString::fromStdString(HandOverFileName(tempFolder, n)));
        // A file of another start that is still waiting is never overwritten.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) continue;
        QByteArray text;
        for (const std::string& p : params) text += QByteArray::fromStdString(p) + '\n';
        const bool ok = file.write(text) == text.size();
        file.close();
        if (ok) return n;
        file.remove();
        return 0;
    }
    return 0;
}

std::vector<std::string> TakeHandOverFile(const std::string& tempFolder, int n)
{
    std::vector<std::string> lines;
    QFile file(QString::fromStdString(HandOverFileName(tempFolder, n)));
    if (!file.open(QIODevice::ReadOnly)) return lines;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n')) line.chop(1);
        if (line.endsWith('\r')) line.chop(1);
        if (!line.isEmpty()) lines.push_back(line.toStdString());
    }
    file.close();
    file.remove();
    return lines;
}

QByteArray HandOverMessage(int n) { return QByteArray::number(n) + '\n'; }

int ParseHandOverMessage(const QByteArray& message)
{
    bool ok = false;
    const int n = message.trimmed().toInt(&ok);
    return ok && n >= 0 && n <= 9999 ? n : -1;
}

} // namespace quorvex
