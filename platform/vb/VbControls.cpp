#include "platform/vb/VbControls.h"

#include "platform/vb/Formular.h"
#include "platform/vb/VbRuntime.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QValidator>

#include <algorithm>
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

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new TabDelegate(this));
    setUniformItemSizes(true);
    // The original's list box has no horizontal extent: long rows are cut at the edge.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
