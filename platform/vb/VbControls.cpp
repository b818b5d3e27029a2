#include "platform/vb/VbControls.h"

#include "platform/vb/Formular.h"
#include "platform/vb/VbRuntime.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QValidator>

#include <QMap>

#include <algorithm>
#include <map>
#include <utility>

namespace vb {

namespace {

constexpr int standardAbstand = 32;  // dialog units between default tab stops

// Draws the row's text itself: the style's own text drawing knows no tab stops.
class TabDelegate : public QStyledItemDelegate {
public:
    explicit TabDelegate(ListBox* list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

        const bool selected = opt.state & QStyle::State_Selected;
        const QPalette::ColorGroup gruppe = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                            : (opt.state & QStyle::State_Active) ? QPalette::Active
                                                                                  : QPalette::Inactive;
        const int rand = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        QTextOption zeile = m_list->textOption(opt.font);
        zeile.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // The line is centred with the marks above capitals counted in, and
        // its top put where the font's own ascent begins.
        const QFontMetrics masse(opt.font);
        const int oben = ascentMitAkzenten(masse);
        const int mitte = (opt.rect.height() - oben - masse.descent()) / 2;
        const QRectF feld = QRectF(opt.rect).adjusted(rand, mitte + oben - masse.ascent(), -rand, 0);

        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(gruppe, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setClipRect(opt.rect);
        painter->drawText(feld, text, zeile);
        painter->restore();
    }

    // A row holds the marks above capitals ("Ö", "Å"), which reach above the
    // ascent of many fonts, with a pixel free above and below them.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize groesse = QStyledItemDelegate::sizeHint(option, index);
        const QFontMetrics masse(option.font);
        groesse.setHeight(std::max(groesse.height(), ascentMitAkzenten(masse) + masse.descent() + 2));
        return groesse;
    }

    // A stored value may hold a line break: the row stays one line, its tabs stops.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text = singleLine(option->text, true);
    }

    static int ascentMitAkzenten(const QFontMetrics& masse)
    {
        return std::max(masse.ascent(), -masse.boundingRect(QStringLiteral("ÅÄÖÜÉÈÊÂ")).top());
    }

private:
    ListBox* m_list;
};

// QLineEdit validates after every change, the user's and the code's alike;
// setText clears the modified flag first, so an unmodified box holds a text
// set from code, which keeps its bytes.
class SingleLineValidator : public QValidator {
public:
    explicit SingleLineValidator(QLineEdit* edit) : QValidator(edit), m_edit(edit) {}

    State validate(QString& input, int& pos) const override
    {
        if (m_edit->isModified())
            if (QString line = singleLine(input); line != input) {
                pos = int(singleLine(input.left(pos)).size());
                input = std::move(line);
            }
        return Acceptable;
    }

private:
    QLineEdit* m_edit;
};

}  // namespace

void keepSingleLine(QLineEdit* edit)
{
    if (!dynamic_cast<const SingleLineValidator*>(edit->validator()))
        edit->setValidator(new SingleLineValidator(edit));
}

void ListRows::append(std::initializer_list<QString> cells)
{
    qsizetype laenge = qsizetype(cells.size()) - 1;
    bool einzeilig = true;
    for (const QString& zelle : cells) {
        laenge += zelle.size();
        // singleLine hands back the text itself when it has nothing to change.
        einzeilig = einzeilig && singleLine(zelle).constData() == zelle.constData();
    }
    const auto verbinden = [&](bool eineZeile) {
        QString zeile;
        zeile.reserve(laenge);
        for (const QString& zelle : cells) {
            if (&zelle != cells.begin())
                zeile += u'\t';
            zeile += eineZeile ? singleLine(zelle) : zelle;
        }
        return zeile;
    };
    if (!einzeilig)
        m_shown.push_back({m_texts.size(), verbinden(true), cells.begin()->size()});
    m_texts.append(verbinden(false));
}

class ListBox::Model : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(texte.size()); }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const int zeile = index.row();
        if (!index.isValid() || zeile >= texte.size())
            return {};
        const Extra* extra = extraVon(zeile);
        switch (role) {
        case Qt::DisplayRole:
            return extra && !extra->gezeigt.isNull() ? extra->gezeigt : texte.at(zeile);
        case Qt::EditRole:
            return texte.at(zeile);
        case Qt::ToolTipRole:
            return extra && !extra->tipp.isNull() ? QVariant(extra->tipp) : QVariant();
        default:
            return extra ? extra->daten.value(role) : QVariant();
        }
    }

    // What only some rows have: a shown form, a tooltip, data of other roles.
    struct Extra {
        QString gezeigt;
        qsizetype ersteZelle = -1;  // set with `gezeigt`
        QString tipp;
        QMap<int, QVariant> daten;
    };

    const Extra* extraVon(int zeile) const
    {
        if (extras.empty())
            return nullptr;
        const auto it = extras.find(zeile);
        return it == extras.end() ? nullptr : &it->second;
    }

    void geaendert(int zeile)
    {
        const QModelIndex i = index(zeile, 0);
        emit dataChanged(i, i);
    }

    void anhaengen(QStringList neu, std::vector<ListRows::Shown> gezeigt = {})
    {
        if (neu.isEmpty())
            return;
        const qsizetype anfang = texte.size();
        beginInsertRows({}, int(anfang), int(anfang + neu.size() - 1));
        // Appending to an empty list would copy every row's reference.
        if (texte.isEmpty())
            texte = std::move(neu);
        else
            texte += std::move(neu);
        for (ListRows::Shown& g : gezeigt) {
            Extra& extra = extras[int(anfang + g.row)];
            extra.gezeigt = std::move(g.text);
            extra.ersteZelle = g.firstCell;
        }
        endInsertRows();
    }

    void entfernen(int zeile)
    {
        beginRemoveRows({}, zeile, zeile);
        texte.removeAt(zeile);
        if (!extras.empty()) {
            std::map<int, Extra> verschoben;
            for (auto& [z, extra] : extras)
                if (z != zeile)
                    verschoben.emplace(z > zeile ? z - 1 : z, std::move(extra));
            extras = std::move(verschoben);
        }
        endRemoveRows();
    }

    void leeren()
    {
        beginResetModel();
        texte = {};
        extras.clear();
        endResetModel();
    }

    QStringList texte;
    std::map<int, Extra> extras;
};

QString ListItem::text() const
{
    return m_list ? m_list->text(m_row) : QString();
}

void ListItem::setText(const QString& text) const
{
    if (!m_list || m_row < 0 || m_row >= m_list->count())
        return;
    ListBox::Model& m = *m_list->m_model;
    m.texte[m_row] = text;
    if (auto it = m.extras.find(m_row); it != m.extras.end()) {
        it->second.gezeigt = QString();
        it->second.ersteZelle = -1;
    }
    m.geaendert(m_row);
}

QString ListItem::toolTip() const
{
    return data(Qt::ToolTipRole).toString();
}

void ListItem::setToolTip(const QString& tip) const
{
    setData(Qt::ToolTipRole, tip);
}

QVariant ListItem::data(int role) const
{
    return m_list ? m_list->m_model->data(m_list->m_model->index(m_row, 0), role) : QVariant();
}

void ListItem::setData(int role, const QVariant& value) const
{
    if (!m_list || m_row < 0 || m_row >= m_list->count())
        return;
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        setText(value.toString());
        return;
    }
    ListBox::Model::Extra& extra = m_list->m_model->extras[m_row];
    if (role == Qt::ToolTipRole)
        extra.tipp = value.toString();
    else
        extra.daten.insert(role, value);
    m_list->m_model->geaendert(m_row);
}

bool ListItem::isSelected() const
{
    return m_list && m_list->selectionModel()->isSelected(m_list->m_model->index(m_row, 0));
}

ListBox::ListBox(QWidget* parent) : QListView(parent), m_model(new Model(this))
{
    setModel(m_model);
    setItemDelegate(new TabDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    // The original's list box has no horizontal extent: long rows are cut at the edge.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& jetzt) { emit currentRowChanged(jetzt.row()); });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (const ListItem zeile = item(index.row()))
            emit itemClicked(zeile);
    });
}

int ListBox::count() const
{
    return int(m_model->texte.size());
}

QString ListBox::text(int row) const
{
    return row >= 0 && row < m_model->texte.size() ? m_model->texte.at(row) : QString();
}

QString ListBox::shownText(int row) const
{
    return row >= 0 && row < m_model->texte.size() ? m_model->data(m_model->index(row, 0), Qt::DisplayRole).toString()
                                                    : QString();
}

QStringView ListBox::firstCell(int row) const
{
    if (row < 0 || row >= m_model->texte.size())
        return {};
    const QString& text = m_model->texte.at(row);
    if (const Model::Extra* extra = m_model->extraVon(row); extra && extra->ersteZelle >= 0)
        return QStringView(text).left(extra->ersteZelle);
    const qsizetype tab = text.indexOf(u'\t');
    return tab < 0 ? QStringView(text) : QStringView(text).left(tab);
}

const QStringList& ListBox::rows() const
{
    return m_model->texte;
}

ListItem ListBox::item(int row) const
{
    if (row < 0 || row >= count())
        return {};
    return ListItem(const_cast<ListBox*>(this), row);
}

void ListBox::addItem(const QString& text)
{
    m_model->anhaengen(QStringList{text});
}

void ListBox::addItems(QStringList rows)
{
    m_model->anhaengen(std::move(rows));
}

void ListBox::addItems(ListRows rows)
{
    m_model->anhaengen(std::move(rows.m_texts), std::move(rows.m_shown));
}

void ListBox::removeItem(int row)
{
    if (row >= 0 && row < count())
        m_model->entfernen(row);
}

void ListBox::clear()
{
    // As QListWidget: the selection goes first, which reports the current row gone.
    selectionModel()->clear();
    m_model->leeren();
}

int ListBox::currentRow() const
{
    return currentIndex().row();
}

void ListBox::setCurrentRow(int row)
{
    selectionModel()->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

QList<ListItem> ListBox::selectedItems() const
{
    QList<ListItem> gewaehlt;
    for (const QModelIndex& i : selectionModel()->selectedIndexes())
        if (const ListItem zeile = item(i.row()))
            gewaehlt.append(zeile);
    return gewaehlt;
}

QList<ListItem> ListBox::findItems(const QString& text, Qt::MatchFlags flags) const
{
    const Qt::CaseSensitivity fall = flags & Qt::MatchCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int art = int(flags & 0x0F);
    QList<ListItem> gefunden;
    for (int i = 0; i < count(); ++i) {
        const QString& zeile = m_model->texte.at(i);
        const bool passt = art == Qt::MatchStartsWith ? zeile.startsWith(text, fall)
                           : art == Qt::MatchEndsWith ? zeile.endsWith(text, fall)
                           : art == Qt::MatchContains ? zeile.contains(text, fall)
                                                      : zeile == text;
        if (passt)
            gefunden.append(item(i));
    }
    return gefunden;
}

QRect ListBox::visualItemRect(const ListItem& item) const
{
    return visualRect(m_model->index(row(item), 0));
}

void ListBox::scrollToItem(const ListItem& item, ScrollHint hint)
{
    scrollTo(m_model->index(row(item), 0), hint);
}

void ListBox::setTabStops(std::vector<int> dialogUnits)
{
    m_tabStops = std::move(dialogUnits);
    viewport()->update();
}

// A quarter of the design font's letter width, grown as the forms grow, so
// that the columns stay under their headers whatever the font.
double ListBox::dialogUnit(const QFont& font)
{
    return massstab(font) * EntwurfBuchstabenbreite / 4.0;
}

QTextOption ListBox::textOption(const QFont& font) const
{
    const double einheit = dialogUnit(font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    if (m_tabStops.size() == 1) {
        option.setTabStopDistance(m_tabStops.front() * einheit);
        return option;
    }
    option.setTabStopDistance(standardAbstand * einheit);
    QList<QTextOption::Tab> stops;
    for (int stop : m_tabStops)
        stops.append(QTextOption::Tab(stop * einheit, QTextOption::LeftTab));
    option.setTabs(stops);
    return option;
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    // With a placeholder QComboBox leaves the current index at -1 when entries are
    // added; the blank draws like the original's empty box.
    setPlaceholderText(QStringLiteral(" "));
    setInsertPolicy(QComboBox::NoInsert);
    feldAnpassen();
}

void ComboBox::setEditable(bool editable)
{
    QComboBox::setEditable(editable);
    feldAnpassen();
}

void ComboBox::setLineEdit(QLineEdit* edit)
{
    QComboBox::setLineEdit(edit);
    feldAnpassen();
}

void ComboBox::feldAnpassen()
{
    QLineEdit* edit = lineEdit();
    if (!edit)
        return;
    setCompleter(nullptr);
    keepSingleLine(edit);
    // QComboBox selects the entry equal to the typed text on Enter and when the
    // focus leaves; the original's box keeps the text and its selection as they are.
    disconnect(edit, &QLineEdit::returnPressed, this, nullptr);
    disconnect(edit, &QLineEdit::editingFinished, this, nullptr);
}

void ComboBox::clear()
{
    QComboBox::clear();
    if (isEditable())
        clearEditText();
}

void ComboBox::setText(const QString& text)
{
    if (isEditable()) {
        setEditText(text);
        return;
    }
    setCurrentIndex(text.isEmpty() ? -1 : findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

namespace {
int g_mousePointer = 0;
}

void setMousePointer(int zeiger)
{
    const bool sanduhr = zeiger == 11;
    if (sanduhr == (g_mousePointer == 11)) {
        g_mousePointer = zeiger;
        return;
    }
    g_mousePointer = zeiger;
    if (sanduhr)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

int mousePointer()
{
    return g_mousePointer;
}

}  // namespace vb
