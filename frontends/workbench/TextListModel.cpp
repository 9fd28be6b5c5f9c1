#include "frontends/workbench/TextListModel.h"

#include <QApplication>
#include <QBrush>
#include <QStyle>
#include <algorithm>

#include "frontends/qt/Conversions.h"

namespace Glossmith::inline QtFrontEnd {

QString OneLine(const String& text) {
  QString line = ToQt(text);
  line.replace(QLatin1String("\r\n"), QStringLiteral(" \u21B5 "));
  line.replace(QLatin1Char('\n'), QStringLiteral(" \u21B5 "));
  line.replace(QLatin1Char('\r'), QStringLiteral(" \u21B5 "));
  return line;
}

TTextListModel::TTextListModel(const TWorkbench& bench, QObject* parent)
    : QAbstractTableModel(parent), FBench(bench) {}

void TTextListModel::SetTexts(std::vector<size_t> texts) {
  beginResetModel();
  FTexts = std::move(texts);
  endResetModel();
}

int TTextListModel::RowOf(size_t text) const {
  auto at = std::lower_bound(FTexts.begin(), FTexts.end(), text);
  return at != FTexts.end() && *at == text ? static_cast<int>(at - FTexts.begin()) : -1;
}

void TTextListModel::TextChanged(size_t text) {
  const int row = RowOf(text);
  if (row >= 0) Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int TTextListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(FTexts.size());
}

int TTextListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant TTextListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const TWorkText& text = FBench.Text(TextAt(index.row()));
  switch (role) {
    case Qt::DisplayRole:
      switch (index.column()) {
        case PathColumn: {
          // With several forms, which form's text it is.
          if (FBench.Forms().size() < 2) return ToQt(text.Path);
          return ToQt(FBench.Forms()[text.Form].Root->Name() + "." + text.Path);
        }
        case OriginalColumn:
          return OneLine(text.Original);
        case TranslationColumn:
          return OneLine(text.Translation);
        case StateColumn: {
          QString state = QString::fromLatin1(StateName(text.State));
          if (text.HasWarnings())
            state += QStringLiteral(", %1 %2")
                         .arg(text.Findings.size())
                         .arg(text.Findings.size() == 1 ? QStringLiteral("warning")
                                                        : QStringLiteral("warnings"));
          return state;
        }
      }
      break;
    case Qt::ToolTipRole:
      if (index.column() == OriginalColumn) return ToQt(text.Original);
      if (index.column() == TranslationColumn) return ToQt(text.Translation);
      if (index.column() == PathColumn) return ToQt(FBench.Forms()[text.Form].FormFile);
      break;
    case Qt::DecorationRole:
      if (index.column() == StateColumn && text.HasWarnings())
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
      break;
    case Qt::BackgroundRole:
      if (index.column() != StateColumn) break;
      if (text.State == TTextState::Untranslated) return QBrush(QColor(0xfd, 0xe2, 0xe2));
      if (text.State == TTextState::Stale) return QBrush(QColor(0xff, 0xf0, 0xc2));
      break;
    default:
      break;
  }
  return {};
}

QVariant TTextListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case PathColumn:
      return QStringLiteral("Path");
    case OriginalColumn:
      return QStringLiteral("Original");
    case TranslationColumn:
      return QStringLiteral("Translation");
    case StateColumn:
      return QStringLiteral("State");
  }
  return {};
}

}  // namespace Glossmith::inline QtFrontEnd
