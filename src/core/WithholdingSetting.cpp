#include "core/WithholdingSetting.h"

#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "core/Winnings.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace zelmora {

QString withholdingPath(const QString &folder)
{
    return folder + QStringLiteral("ritenuta.cfg");
}

std::optional<int> parseWithholding(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,3})(?:[,.](\\d{1,2}))?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    QString decimals = match.captured(2);
    while (decimals.size() < 2)
        decimals += u'0';
    const int basisPoints = match.captured(1).toInt() * 100 + decimals.toInt();
    if (basisPoints > 10000)
        return std::nullopt;
    return basisPoints;
}

QString withholdingText(int basisPoints)
{
    return QStringLiteral("%1,%2")
        .arg(basisPoints / 100)
        .arg(basisPoints % 100, 2, 10, QLatin1Char('0'));
}

Result<int> readWithholding(const QString &folder)
{
    const QString path = withholdingPath(folder);
    if (nothingAt(path))
        return kDefaultWithholdingBasisPoints;
    if (!QFileInfo(path).isFile())
        return RuntimeError(RuntimeError::PathFileAccessError);
    Result<QByteArray> read = readWholeFile(path, 256);
    if (!read)
        return read.error();
    QByteArray bytes = std::move(read).value();
    // A UTF-8 byte-order mark, as some editors write one, is not part of the setting.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const std::optional<int> value = parseWithholding(QString::fromLatin1(bytes));
    if (!value)
        return RuntimeError(RuntimeError::TypeMismatch);
    return *value;
}

QString withholdingFailureText(const RuntimeError &error)
{
    if (error.number() == RuntimeError::TypeMismatch)
        return QStringLiteral("non contiene una percentuale da 0 a 100 (es. 8,00)");
    return fileFailureText(error);
}

Result<void> writeWithholding(const QString &folder, int basisPoints)
{
    return writeWholeFile(withholdingPath(folder),
                          (withholdingText(basisPoints) + QStringLiteral("\r\n")).toLatin1());
}

} // namespace zelmora
