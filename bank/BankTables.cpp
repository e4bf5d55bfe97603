#include "bank/BankTables.h"

#include "bank/QuestionType.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace bank {

namespace {

struct ColumnAccess {
    BankColumn column;
    std::function<QString&(QuestionRecord&)> field;
};

const QList<ColumnAccess>& columnAccess() {
    using Kind = BankColumn::Kind;
    static const QList<ColumnAccess> columns = [] {
        QList<ColumnAccess> list{
            {{u"ID"_s, Kind::Long}, nullptr},
            {{u"TX"_s, Kind::Text, 20}, [](QuestionRecord& r) -> QString& { return r.tx; }},
            {{u"TM"_s, Kind::Memo}, [](QuestionRecord& r) -> QString& { return r.tm; }},
        };
        for (std::size_t i = 0; i < 4; ++i)
            list.append({{u"XX"_s + QChar(u'A' + static_cast<char16_t>(i)), Kind::Memo},
                         [i](QuestionRecord& r) -> QString& { return r.options[i]; }});
        list.append({{u"DA"_s, Kind::Text, 10}, [](QuestionRecord& r) -> QString& { return r.da; }});
        list.append({{u"XXDA"_s, Kind::Text, 10}, [](QuestionRecord& r) -> QString& { return r.xxda; }});
        list.append({{u"fen"_s, Kind::Long}, [](QuestionRecord& r) -> QString& { return r.fen; }});
        list.append({{u"JX"_s, Kind::Memo}, [](QuestionRecord& r) -> QString& { return r.jx; }});
        for (std::size_t i = 0; i < calcFieldCount; ++i)
            list.append({{u"fenxi"_s + QString::number(i + 1), Kind::Memo},
                         [i](QuestionRecord& r) -> QString& { return r.answers[i]; }});
        for (std::size_t i = 0; i < calcFieldCount; ++i)
            list.append({{u"DAfenxi"_s + QString::number(i + 1), Kind::Memo},
                         [i](QuestionRecord& r) -> QString& { return r.standards[i]; }});
        list.append({{chapterColumn(), Kind::Text, 20}, [](QuestionRecord& r) -> QString& { return r.ch; }});
        return list;
    }();
    return columns;
}

const ColumnAccess* accessOf(const QString& name) {
    for (const ColumnAccess& access : columnAccess())
        if (access.column.name.compare(name, Qt::CaseInsensitive) == 0) return &access;
    return nullptr;
}

} // namespace

QStringList requiredColumns(const QString& table) {
    QStringList columns{u"ID"_s, u"TM"_s, u"fen"_s, u"JX"_s};
    const std::optional<QuestionType> practice = typeOfPracticeTable(table);
    const auto has = [&](QuestionType type) { return !practice || *practice == type; };
    if (has(QuestionType::Calculation)) columns.append(u"TX"_s);
    if (has(QuestionType::SingleChoice) || has(QuestionType::MultipleChoice))
        columns.append({u"XXA"_s, u"XXB"_s, u"XXC"_s, u"XXD"_s});
    if (!practice || *practice != QuestionType::Calculation) columns.append({u"DA"_s, u"XXDA"_s});
    if (has(QuestionType::Calculation))
        for (int field = 1; field <= calcFieldCount; ++field)
            columns.append({u"fenxi"_s + QString::number(field), u"DAfenxi"_s + QString::number(field)});
    return columns;
}

QList<BankColumn> tableColumns(const QString& table) {
    const QStringList required = requiredColumns(table);
    QList<BankColumn> columns;
    for (const ColumnAccess& access : columnAccess())
        if (required.contains(access.column.name) || access.column.name == chapterColumn())
            columns.append(access.column);
    return columns;
}

QString chapterColumn() {
    return u"CH"_s;
}

const QStringList& chapterTags() {
    static const QStringList tags{u"会计要素与等式"_s, u"账户与复式记账"_s, u"借贷记账法的应用"_s,
                                  u"会计凭证"_s,       u"会计账簿"_s,       u"财产清查"_s,
                                  u"财务报表"_s,       u"账务处理程序"_s};
    return tags;
}

QStringList recordCells(const QList<BankColumn>& columns, const QuestionRecord& record) {
    QuestionRecord copy = record;
    QStringList cells;
    for (const BankColumn& column : columns) {
        const ColumnAccess* access = accessOf(column.name);
        if (!access)
            cells.append(QString());
        else if (!access->field)
            cells.append(QString::number(record.id));
        else
            cells.append(access->field(copy));
    }
    return cells;
}

QuestionRecord recordFromCells(const QStringList& columnNames, const QStringList& cells) {
    QuestionRecord record;
    for (qsizetype i = 0; i < columnNames.size() && i < cells.size(); ++i) {
        const ColumnAccess* access = accessOf(columnNames[i]);
        if (!access) continue;
        if (access->field)
            access->field(record) = cells[i];
        else
            record.id = cells[i].toInt();
    }
    return record;
}

QStringList bankTableNames() {
    QStringList names;
    for (QuestionType type : allQuestionTypes)
        names.append(practiceTable(type));
    for (int paper = 1; paper <= paperCount; ++paper)
        names.append(paperTable(paper));
    return names;
}

} // namespace bank
