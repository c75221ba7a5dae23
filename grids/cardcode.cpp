#include "cardcode.h"

#include "gridsheet.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace CardCode {

QString alphabet()
{
    return u"23456789ABCDEFGHJKMNPQRSTUVWXYZ"_s;
}

QByteArray newSecret()
{
    QByteArray secret(SecretBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(secret.begin(), secret.end());
    return secret;
}

QString of(const QByteArray& secret, int number, const Grid& grid)
{
    QByteArray message = gridNumberText(number).toLatin1() + ':';
    for (std::size_t i = 0; i < grid.cells.size(); ++i) {
        if (i > 0)
            message += ',';
        message += QByteArray::number(grid.cells[i]);
    }
    const QByteArray mac =
        QMessageAuthenticationCode::hash(message, secret, QCryptographicHash::Sha256);
    quint64 value = 0;
    for (int i = 0; i < 8; ++i)
        value = (value << 8) | quint8(mac[i]);
    const QString letters = alphabet();
    const auto base = quint64(letters.size());
    QString code;
    for (int i = 0; i < Length; ++i) {
        code += letters[qsizetype(value % base)];
        value /= base;
    }
    return code;
}

QString normalised(const QString& typed)
{
    QString code;
    for (const QChar c : typed) {
        if (c.isSpace() || c == u'-')
            continue;
        const QChar upper = c.toUpper();
        if (!alphabet().contains(upper) || code.size() == Length)
            return {};
        code += upper;
    }
    return code.size() == Length ? code : QString();
}

} // namespace CardCode
