#include "app/FormTranslation.h"

#include "i18n/UnicodeGlossary.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

namespace aw::app {
namespace {

// Applies the translator to one text property through its getter and setter.
template <class Get, class Set>
void TranslatedText(const FormTextTranslator& translate, Get get, Set set)
{
  const QString text = get();
  if (text.isEmpty())
    return;
  if (std::optional<QString> translated = translate(text))
    set(*translated);
}

void TranslateHints(QObject* object, const FormTextTranslator& t)
{
  if (auto* widget = qobject_cast<QWidget*>(object)) {
    TranslatedText(t, [&] { return widget->toolTip(); }, [&](const QString& s) { widget->setToolTip(s); });
    TranslatedText(t, [&] { return widget->statusTip(); }, [&](const QString& s) { widget->setStatusTip(s); });
    TranslatedText(t, [&] { return widget->whatsThis(); }, [&](const QString& s) { widget->setWhatsThis(s); });
  }
  if (auto* action = qobject_cast<QAction*>(object)) {
    // Setting the tool tip of an action that has none would freeze its caption as tip.
    if (action->toolTip() != action->text())
      TranslatedText(t, [&] { return action->toolTip(); }, [&](const QString& s) { action->setToolTip(s); });
    TranslatedText(t, [&] { return action->statusTip(); }, [&](const QString& s) { action->setStatusTip(s); });
  }
  if (auto* edit = qobject_cast<QLineEdit*>(object))
    TranslatedText(t, [&] { return edit->placeholderText(); }, [&](const QString& s) { edit->setPlaceholderText(s); });
  if (auto* tabs = qobject_cast<QTabWidget*>(object))
    for (int i = 0; i < tabs->count(); ++i)
      TranslatedText(t, [&] { return tabs->tabToolTip(i); }, [&](const QString& s) { tabs->setTabToolTip(i, s); });
}

void TranslateItems(QComboBox* combo, const FormTextTranslator& t)
{
  // setItemText keeps the selected entry.
  for (int i = 0; i < combo->count(); ++i)
    TranslatedText(t, [&] { return combo->itemText(i); }, [&](const QString& s) { combo->setItemText(i, s); });
}

void TranslateColumnTitles(QTreeWidget* tree, const FormTextTranslator& t)
{
  QTreeWidgetItem* header = tree->headerItem();
  for (int c = 0; header && c < header->columnCount(); ++c)
    TranslatedText(t, [&] { return header->text(c); }, [&](const QString& s) { header->setText(c, s); });
}

void TranslateColumnTitles(QTableWidget* table, const FormTextTranslator& t)
{
  for (int c = 0; c < table->columnCount(); ++c)
    if (QTableWidgetItem* item = table->horizontalHeaderItem(c))
      TranslatedText(t, [&] { return item->text(); }, [&](const QString& s) { item->setText(s); });
}

void TranslateMemoLines(QPlainTextEdit* memo, const FormTextTranslator& t)
{
  QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
  bool bChanged = false;
  for (QString& line : lines)
    if (std::optional<QString> translated = line.isEmpty() ? std::nullopt : t(line)) {
      line = *translated;
      bChanged = true;
    }
  if (bChanged)
    memo->setPlainText(lines.join(QLatin1Char('\n')));
}

void TranslateCaptions(QObject* object, const FormTextTranslator& t)
{
  if (auto* widget = qobject_cast<QWidget*>(object); widget && widget->isWindow())
    TranslatedText(t, [&] { return widget->windowTitle(); }, [&](const QString& s) { widget->setWindowTitle(s); });
  if (auto* button = qobject_cast<QAbstractButton*>(object))
    TranslatedText(t, [&] { return button->text(); }, [&](const QString& s) { button->setText(s); });
  else if (auto* label = qobject_cast<QLabel*>(object))
    TranslatedText(t, [&] { return label->text(); }, [&](const QString& s) { label->setText(s); });
  else if (auto* group = qobject_cast<QGroupBox*>(object))
    TranslatedText(t, [&] { return group->title(); }, [&](const QString& s) { group->setTitle(s); });
  else if (auto* tabs = qobject_cast<QTabWidget*>(object))
    for (int i = 0; i < tabs->count(); ++i)
      TranslatedText(t, [&] { return tabs->tabText(i); }, [&](const QString& s) { tabs->setTabText(i, s); });
  else if (auto* combo = qobject_cast<QComboBox*>(object))
    TranslateItems(combo, t);
  else if (auto* list = qobject_cast<QListWidget*>(object))
    for (int i = 0; i < list->count(); ++i)
      TranslatedText(t, [&] { return list->item(i)->text(); }, [&](const QString& s) { list->item(i)->setText(s); });
  else if (auto* tree = qobject_cast<QTreeWidget*>(object))
    TranslateColumnTitles(tree, t);
  else if (auto* table = qobject_cast<QTableWidget*>(object))
    TranslateColumnTitles(table, t);
  else if (auto* memo = qobject_cast<QPlainTextEdit*>(object); memo && memo->isReadOnly())
    TranslateMemoLines(memo, t);
  else if (auto* menu = qobject_cast<QMenu*>(object))
    TranslatedText(t, [&] { return menu->title(); }, [&](const QString& s) { menu->setTitle(s); });
  if (auto* action = qobject_cast<QAction*>(object))
    TranslatedText(t, [&] { return action->text(); }, [&](const QString& s) { action->setText(s); });
}

const char* const kUntranslatedProperty = "awUntranslated";

// Depth first, each object before the objects it owns.
template <class Visit>
void Walk(QObject* object, const Visit& visit)
{
  if (object->property(kUntranslatedProperty).toBool())
    return;
  visit(object);
  for (QObject* child : object->children())
    Walk(child, visit);
}

} // namespace

void KeepUntranslated(QObject* object)
{
  object->setProperty(kUntranslatedProperty, true);
}

void TranslateForm(QObject* top, const FormTextTranslator& translate)
{
  if (!top || !translate)
    return;
  Walk(top, [&](QObject* object) { TranslateHints(object, translate); });
  Walk(top, [&](QObject* object) { TranslateCaptions(object, translate); });
}

void TranslateFormAtRuntime(QObject* top, const i18n::CTUnicodeGlossary& glossary)
{
  TranslateForm(top, [&glossary](const QString& szText) -> std::optional<QString> {
    if (std::optional<std::string> translation = glossary.UniqueTranslationFor(szText.toStdString()))
      return QString::fromStdString(*translation);
    return std::nullopt;
  });
}

} // namespace aw::app
