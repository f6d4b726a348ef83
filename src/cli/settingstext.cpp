#include "settingstext.h"

#include "changetext.h"
#include "cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace cli
{

namespace
{
// The number as shown, in the field's unit: 3.7 for an alarm voltage stored
// as 37 tenths of a volt.
QJsonValue jsonValue(const params::Field &f, int stored)
{
    return f.divisor == 1 ? QJsonValue(stored) : QJsonValue(double(stored) / f.divisor);
}
} // namespace

namespace
{
const Repair *repairOf(const params::Field &f, const QVector<Repair> &repairs)
{
    for (const Repair &r : repairs) {
        if (r.field->name == f.name)
            return &r;
    }
    return nullptr;
}
} // namespace

QString settingsText(const TxParamsRecord &p, FieldFilter only, const QVector<Repair> &repairs)
{
    QString out;
    QString page;
    QString group;
    for (const params::Field &f : params::fieldCatalogue()) {
        if (!only(f))
            continue;
        const QString title = params::pageTitle(f.page);
        if (title != page) {
            out += (page.isEmpty() ? QString() : QStringLiteral("\n")) + title + '\n';
            page = title;
            group.clear();
        }
        if (f.group != group) {
            out += QStringLiteral("  %1\n").arg(f.group);
            group = f.group;
        }
        out += QStringLiteral("    %1 %2 %3%4\n")
                   .arg(f.label + ':', -34)
                   .arg(f.text(f.value(p)), -12)
                   .arg(f.name, repairOf(f, repairs) ? QStringLiteral(" (repaired)") : QString());
    }
    return out;
}

QByteArray settingsJson(const TxParamsRecord &p, FieldFilter only, const QVector<Repair> &repairs)
{
    QJsonArray settings;
    for (const params::Field &f : params::fieldCatalogue()) {
        if (!only(f))
            continue;
        const int v = f.value(p);
        const Repair *repair = repairOf(f, repairs);
        QJsonObject setting{{"name", f.name},
                            {"label", f.label},
                            {"page", params::pageTitle(f.page)},
                            {"group", f.group},
                            {"value", jsonValue(f, v)},
                            {"text", f.text(v)},
                            {"unit", f.unit},
                            {"repaired", repair != nullptr}};
        if (repair)
            setting.insert("repair", QStringLiteral("%1, %2").arg(repair->why, repair->after));
        settings.append(setting);
    }
    return QJsonDocument(QJsonObject{{"settings", settings}}).toJson();
}

QString changesText(const QVector<params::FieldChange> &changes, const QString &before,
                    const QString &after)
{
    if (changes.isEmpty())
        return QStringLiteral("no differences between %1 and %2\n").arg(before, after);
    QString out =
        QStringLiteral("%1 setting(s) differ: %2 -> %3\n").arg(changes.size()).arg(before, after);
    for (const QString &line : params::changeLines(changes, params::ChangeStyle::Script))
        out += QStringLiteral("  ") + line + QLatin1Char('\n');
    return out;
}

QByteArray changesJson(const QVector<params::FieldChange> &changes, const QString &before,
                       const QString &after)
{
    QJsonArray list;
    for (const params::FieldChange &c : changes)
        list.append(QJsonObject{{"name", c.field->name},
                                {"label", c.field->label},
                                {"unit", c.field->unit},
                                {"before", jsonValue(*c.field, c.before)},
                                {"after", jsonValue(*c.field, c.after)},
                                {"before_text", c.field->text(c.before)},
                                {"after_text", c.field->text(c.after)}});
    return QJsonDocument(QJsonObject{{"before", before}, {"after", after}, {"changes", list}})
        .toJson();
}

void printChanges(const QVector<params::FieldChange> &changes, const QString &before,
                  const QString &after, bool json)
{
    if (json)
        printBytes(changesJson(changes, before, after));
    else
        print(changesText(changes, before, after));
}

void printBytes(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace cli
