// The texts a workbench lets through its filter and search, as rows of a
// Qt table: path, original, translation and state.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "workbench/Workbench.h"

namespace Glossmith::inline QtFrontEnd {

class TTextListModel : public QAbstractTableModel {
 public:
  enum TColumn { PathColumn, OriginalColumn, TranslationColumn, StateColumn, ColumnCount };

  explicit TTextListModel(const TWorkbench& bench, QObject* parent = nullptr);

  // The texts shown, in order (what TWorkbench::Visible gave).
  void SetTexts(std::vector<size_t> texts);
  const std::vector<size_t>& Texts() const { return FTexts; }
  // The row of a text, or -1 when it is not shown.
  int RowOf(size_t text) const;
  size_t TextAt(int row) const { return FTexts.at(static_cast<size_t>(row)); }
  // A text's translation, state or findings changed.
  void TextChanged(size_t text);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const TWorkbench& FBench;
  std::vector<size_t> FTexts;  // ascending, as Visible gives them
};

// A text on one line: its line breaks shown as a return sign.
QString OneLine(const String& text);

}  // namespace Glossmith::inline QtFrontEnd
