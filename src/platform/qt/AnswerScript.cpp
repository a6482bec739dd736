#include "platform/qt/AnswerScript.h"

#include <QFile>

namespace tv {

namespace {

QString variable(const char *name) {
    return qEnvironmentVariable(name);
}

void appendLine(const QString &fileName, const QString &line) {
    if (fileName.isEmpty())
        return;
    QFile log(fileName);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(line.toUtf8() + '\n');
}

} // namespace

bool AnswerScript::active() {
    return !variable("TONVELA_DIALOG_ANSWERS").isEmpty();
}

std::optional<QString> AnswerScript::next(const QString &logLine) {
    appendLine(variable("TONVELA_DIALOG_LOG"), logLine);
    QFile answers(variable("TONVELA_DIALOG_ANSWERS"));
    if (!answers.open(QIODevice::ReadOnly))
        return std::nullopt;
    QList<QByteArray> lines = answers.readAll().split('\n');
    // A final line break does not start another (empty) answer.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (m_used >= lines.size())
        return std::nullopt;
    QString line = QString::fromUtf8(lines.at(m_used++));
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

} // namespace tv
