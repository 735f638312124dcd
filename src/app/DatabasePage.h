#pragma once
// The Database page of the main window: the catalogue data of the selected
// unit (dimensions, electrical and speed data, operating ranges) and its
// options, shown from the unit's data sheet.

#include "engine/UnitDataSheet.h"

#include <QWidget>

#include <optional>
#include <vector>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QTreeWidget;

namespace aw::app {

class TFraDatabasePage : public QWidget
{
  Q_OBJECT

public:
  explicit TFraDatabasePage(QWidget* parent);

  void FillDatabasePage(const CTUnitDataSheet& data);
  void Clear();
  // The text shown in the value field of that name ("Txt_WHD", ...).
  QString Value(const QString& szField) const;

private:
  QLabel* AddValue(QGroupBox* box, const char* szName, const QString& szCaption);
  void Lvw_DBOptionsChange();

  QLabel* Txt_DeviceName = nullptr;
  std::vector<QGroupBox*> v_boxes; // the data sheet's sections
  QTreeWidget* Lvw_DBOptions = nullptr;
  QPlainTextEdit* Txt_ODescription = nullptr;
  QLabel* Txt_OptWHD = nullptr;
  QLabel* Txt_OMCA = nullptr;
  std::vector<CTDataSheetOption> v_options;
};

} // namespace aw::app
