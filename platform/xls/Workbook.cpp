#include "platform/xls/Workbook.h"

#include "platform/xls/Bytes.h"
#include "platform/xls/CompoundFile.h"
#include "platform/system/Dateigrund.h"

#include <QDate>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace xls {

using namespace detail;

namespace {

// Record types of BIFF8.
enum : unsigned {
    BOF = 0x0809,
    EOF_ = 0x000A,
    CODEPAGE = 0x0042,
    WINDOW1 = 0x003D,
    DATE1904 = 0x0022,
    FONT = 0x0031,
    FORMAT = 0x041E,
    XF = 0x00E0,
    STYLE = 0x0293,
    BOUNDSHEET = 0x0085,
    SST = 0x00FC,
    CONTINUE = 0x003C,
    EXTSST = 0x00FF,
    DIMENSIONS = 0x0200,
    LABELSST = 0x00FD,
    NUMBER = 0x0203,
    WINDOW2 = 0x023E,
};

constexpr qsizetype MaxRecordData = 8224;
constexpr unsigned GeneralXf = 15;  // after the 15 style XFs
constexpr unsigned DateXf = 16;
constexpr unsigned DateFormat = 164;  // the first number of a format of our own

// A record whose data is known at once.
struct Record {
    Record(QByteArray& out, unsigned type) : b(out), lengthAt(out.size() + 2)
    {
        u16(b, type);
        u16(b, 0);
    }
    ~Record() { put16(b, lengthAt, unsigned(b.size() - lengthAt - 2)); }
    QByteArray& b;
    qsizetype lengthAt;
};

bool compressible(const QString& s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

void characters(QByteArray& b, const QString& s, qsizetype from, qsizetype count, bool wide)
{
    const QStringView part = QStringView(s).mid(from, count);
    if (!wide) {
        b.append(part.toLatin1());
        return;
    }
    const qsizetype at = b.size();
    b.resize(at + 2 * count);
    qToLittleEndian<quint16>(part.utf16(), count, b.data() + at);
}

// A short text with a one-byte length (font and sheet names).
void shortString(QByteArray& b, const QString& s)
{
    const bool wide = !compressible(s);
    u8(b, unsigned(s.size()));
    u8(b, wide ? 1 : 0);
    characters(b, s, 0, s.size(), wide);
}

void bof(QByteArray& b, unsigned kind)
{
    Record r(b, BOF);
    u16(b, 0x0600);  // BIFF8
    u16(b, kind);
    u16(b, 0x0DBB);  // build
    u16(b, 0x07CC);  // year
    u32(b, 0);
    u32(b, 6);  // lowest version that can read it: BIFF8
}

void eof(QByteArray& b)
{
    Record r(b, EOF_);
}

void font(QByteArray& b)
{
    Record r(b, FONT);
    u16(b, 200);  // 10 pt
    u16(b, 0);
    u16(b, 0x7FFF);  // automatic colour
    u16(b, 400);     // normal weight
    u16(b, 0);
    u8(b, 0);
    u8(b, 0);
    u8(b, 0);
    u8(b, 0);
    shortString(b, QStringLiteral("Arial"));
}

void xf(QByteArray& b, bool style, unsigned format)
{
    Record r(b, XF);
    u16(b, 0);  // font
    u16(b, format);
    u16(b, style ? 0xFFF5 : 0x0001);  // locked; a style has no parent, a cell the Normal style
    u8(b, 0x20);                      // bottom-aligned
    u8(b, 0);
    u8(b, 0);
    u8(b, style ? 0x00 : (format ? 0x04 : 0x00));  // a cell's own number format
    u32(b, 0);                                     // no borders
    u32(b, 0);
    u16(b, 0x20C0);  // pattern colours: automatic
}

// The shared strings: SST, continued in CONTINUE records, then EXTSST, whose
// buckets point at every dsst-th string. Excel takes dsst as a 128th of the
// strings plus one, at least 8, so there are never more than 128 buckets, and
// expects that figure. `base` is the stream offset at which the SST record starts.
template <typename Strings>
QByteArray sharedStrings(const Strings& strings, quint32 uses, quint64 base)
{
    QByteArray out;
    QByteArray ext;
    const quint32 unique = quint32(strings.size());
    const quint32 perBucket = std::max<quint32>(8, unique / 128 + 1);
    u16(ext, perBucket);

    qsizetype recordAt = 0;
    auto startRecord = [&](unsigned type) {
        recordAt = out.size();
        u16(out, type);
        u16(out, 0);
    };
    auto endRecord = [&] { put16(out, recordAt + 2, unsigned(out.size() - recordAt - 4)); };
    auto room = [&] { return MaxRecordData - (out.size() - recordAt - 4); };

    startRecord(SST);
    u32(out, uses);
    u32(out, unique);
    for (quint32 i = 0; i < unique; ++i) {
        const QString s = QString::fromUtf8(strings[i].data, strings[i].size);
        const bool wide = !compressible(s);
        const qsizetype charSize = wide ? 2 : 1;
        // A string's header (length and flags) and its first character never part.
        if (room() < 3 + (s.isEmpty() ? 0 : charSize)) {
            endRecord();
            startRecord(CONTINUE);
        }
        if (i % perBucket == 0) {
            u32(ext, quint32(base + quint64(out.size())));
            u16(ext, unsigned(out.size() - recordAt));
            u16(ext, 0);
        }
        u16(out, unsigned(s.size()));
        u8(out, wide ? 1 : 0);
        qsizetype done = 0;
        while (done < s.size()) {
            qsizetype n = std::min(s.size() - done, room() / charSize);
            if (n == 0) {
                // The rest continues in the next record, which starts with the flags again.
                endRecord();
                startRecord(CONTINUE);
                u8(out, wide ? 1 : 0);
                n = std::min(s.size() - done, room() / charSize);
            }
            characters(out, s, done, n, wide);
            done += n;
        }
    }
    endRecord();

    {
        Record r(out, EXTSST);
        out.append(ext);
    }
    return out;
}

QString sheetName(const QString& first, int index)
{
    return index == 0 ? first : first + QString::number(index + 1);
}

}  // namespace

Workbook::Workbook(QString sheetName, QStringList columns)
    : m_sheetName(std::move(sheetName)), m_columns(std::move(columns)), m_sourceColumns(m_columns.size())
{
    if (m_columns.size() > MaxColumns)
        m_columns.resize(MaxColumns);
    m_lastInColumn.resize(size_t(m_columns.size()), {Key{nullptr, 0}, 0});
    startSheet();
}

void Workbook::startSheet()
{
    m_sheetNames << sheetName(m_sheetName, int(m_sheets.size()));
    m_sheets.emplace_back();
    m_sheetRows.push_back(1);
    for (int c = 0; c < m_columns.size(); ++c) {
        const QByteArray name = m_columns[c].toUtf8();
        addText(0, c, std::string_view(name.constData(), size_t(name.size())));
    }
}

Workbook::Key Workbook::keep(std::string_view utf8)
{
    constexpr size_t BlockSize = 1 << 20;
    if (utf8.size() > m_storeLeft) {
        const size_t size = std::max(BlockSize, utf8.size());
        m_textStore.push_back(std::make_unique<char[]>(size));
        m_storeNext = m_textStore.back().get();
        m_storeLeft = size;
    }
    Key key{m_storeNext, qsizetype(utf8.size())};
    if (!utf8.empty())
        std::memcpy(m_storeNext, utf8.data(), utf8.size());
    m_storeNext += utf8.size();
    m_storeLeft -= utf8.size();
    return key;
}

void Workbook::addText(int row, int column, std::string_view utf8)
{
    // An empty text is an empty cell, as a spreadsheet shows it: a shared
    // string of no characters makes some readers (libfreexl) refuse the file.
    if (utf8.empty())
        return;
    const Key probe{utf8.data(), qsizetype(utf8.size())};
    auto& last = m_lastInColumn[size_t(column)];
    quint32 index = 0;
    if (last.first.data && last.first == probe) {
        index = last.second;
    } else if (auto it = m_stringIndex.constFind(probe); it != m_stringIndex.constEnd()) {
        index = it.value();
        last = {it.key(), index};
    } else {
        // Bytes count at least as many as UTF-16 units; only a long text can need the cut.
        if (utf8.size() > size_t(MaxTextLength)) {
            QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
            if (text.size() > MaxTextLength) {
                text.truncate(MaxTextLength);
                if (text.back().isHighSurrogate())
                    text.chop(1);
                const QByteArray cut = text.toUtf8();
                addText(row, column, std::string_view(cut.constData(), size_t(cut.size())));
                return;
            }
        }
        index = quint32(m_strings.size());
        const Key key = keep(utf8);
        m_strings.push_back(key);
        m_stringIndex.insert(key, index);
        last = {key, index};
    }
    ++m_stringUses;
    char record[14];
    qToLittleEndian<quint16>(LABELSST, record);
    qToLittleEndian<quint16>(10, record + 2);
    qToLittleEndian<quint16>(quint16(row), record + 4);
    qToLittleEndian<quint16>(quint16(column), record + 6);
    qToLittleEndian<quint16>(GeneralXf, record + 8);
    qToLittleEndian<quint32>(index, record + 10);
    m_sheets.back().append(record, sizeof record);
}

void Workbook::addNumber(int row, int column, double value, unsigned xf)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char record[18];
    qToLittleEndian<quint16>(NUMBER, record);
    qToLittleEndian<quint16>(14, record + 2);
    qToLittleEndian<quint16>(quint16(row), record + 4);
    qToLittleEndian<quint16>(quint16(column), record + 6);
    qToLittleEndian<quint16>(quint16(xf), record + 8);
    qToLittleEndian<quint64>(bits, record + 10);
    m_sheets.back().append(record, sizeof record);
}

void Workbook::beginRow()
{
    if (m_sheetRows.back() == RowsPerSheet)
        startSheet();
    ++m_sheetRows.back();
    ++m_rows;
}

void Workbook::setTextUtf8(int column, QByteArrayView utf8)
{
    if (column >= 0 && column < m_columns.size())
        addText(currentRow(), column, std::string_view(utf8.data(), size_t(utf8.size())));
}

void Workbook::setText(int column, QStringView text)
{
    setTextUtf8(column, text.toUtf8());
}

void Workbook::setNumber(int column, double value)
{
    if (column < 0 || column >= m_columns.size())
        return;
    if (std::isfinite(value))
        addNumber(currentRow(), column, value, GeneralXf);
    else
        setText(column, QString::number(value));
}

void Workbook::setDate(int column, QDate date)
{
    static const QDate epoch(1899, 12, 30);
    if (column >= 0 && column < m_columns.size() && date.isValid())
        addNumber(currentRow(), column, double(epoch.daysTo(date)), DateXf);
}

void Workbook::addRow(std::span<const QVariant> values)
{
    beginRow();
    for (int c = 0; c < int(values.size()); ++c) {
        const QVariant& v = values[size_t(c)];
        if (!v.isValid() || v.isNull())
            continue;
        switch (v.typeId()) {
        case QMetaType::QDate:
            setDate(c, v.toDate());
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Bool:
            setNumber(c, v.toDouble());
            break;
        case QMetaType::QByteArray:
            setTextUtf8(c, v.toByteArray());
            break;
        default:
            setText(c, v.toString());
        }
    }
}

std::vector<QByteArray> Workbook::stream() const
{
    QByteArray globals;
    bof(globals, 0x0005);
    {
        Record r(globals, CODEPAGE);
        u16(globals, 1200);  // UTF-16
    }
    {
        Record r(globals, WINDOW1);
        for (unsigned v : {0x01E0u, 0x005Au, 0x3FCFu, 0x2A4Eu, 0x0038u, 0u, 0u, 1u, 0x0258u})
            u16(globals, v);
    }
    {
        Record r(globals, DATE1904);
        u16(globals, 0);
    }
    for (int i = 0; i < 5; ++i)
        font(globals);
    {
        Record r(globals, FORMAT);
        const QString dayMonthYear = QStringLiteral("DD.MM.YYYY");
        u16(globals, DateFormat);
        u16(globals, unsigned(dayMonthYear.size()));
        u8(globals, 0);
        characters(globals, dayMonthYear, 0, dayMonthYear.size(), false);
    }
    for (int i = 0; i < 15; ++i)
        xf(globals, true, 0);
    xf(globals, false, 0);
    xf(globals, false, DateFormat);
    {
        Record r(globals, STYLE);
        u16(globals, 0x8000);  // built-in style of XF 0
        u8(globals, 0);        // Normal
        u8(globals, 0xFF);
    }
    std::vector<qsizetype> sheetOffsetAt;
    for (const QString& name : m_sheetNames) {
        Record r(globals, BOUNDSHEET);
        sheetOffsetAt.push_back(globals.size());
        u32(globals, 0);
        u16(globals, 0);  // visible worksheet
        shortString(globals, name);
    }
    globals.append(sharedStrings(m_strings, m_stringUses, quint64(globals.size())));
    eof(globals);

    std::vector<QByteArray> parts;
    parts.push_back(globals);
    quint64 offset = quint64(globals.size());
    for (size_t s = 0; s < m_sheets.size(); ++s) {
        put32(parts.front(), sheetOffsetAt[s], quint32(offset));
        QByteArray head;
        bof(head, 0x0010);
        {
            Record r(head, DIMENSIONS);
            u32(head, 0);
            u32(head, quint32(m_sheetRows[s]));
            u16(head, 0);
            u16(head, unsigned(m_columns.size()));
            u16(head, 0);
        }
        QByteArray tail;
        {
            Record r(tail, WINDOW2);
            // Grid lines, headings, zeros, automatic grid colour, outline symbols; the first sheet selected.
            u16(tail, s == 0 ? 0x06B6 : 0x00B6);
            u16(tail, 0);
            u16(tail, 0);
            u16(tail, 0x40);
            u16(tail, 0);
            u16(tail, 0);
            u16(tail, 0);
            u32(tail, 0);
        }
        eof(tail);
        offset += quint64(head.size() + m_sheets[s].size() + tail.size());
        parts.push_back(std::move(head));
        parts.push_back(m_sheets[s]);
        parts.push_back(std::move(tail));
    }
    return parts;
}

bool Workbook::save(const QString& path, QString* error) const
{
    if (m_sourceColumns > MaxColumns) {
        if (error)
            *error = QStringLiteral("Ein Tabellenblatt fasst höchstens %1 Spalten, die Quelle hat %2.")
                         .arg(MaxColumns)
                         .arg(m_sourceColumns);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = sys::dateigrund(file);
        return false;
    }
    if (!writeCompoundFile(file, QStringLiteral("Workbook"), stream(), error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = sys::dateigrund(file);
        return false;
    }
    return true;
}

}  // namespace xls
