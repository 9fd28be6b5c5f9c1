// Real forms look as they do in the classic designer: aligned controls on
// tab sheets lay out, placeholders of unknown classes take their place,
// hidden and non-visual components are not drawn, and every standard
// control shows as itself with its text, on every page of every corpus form.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <filesystem>
#include <map>

#include "FrontEndFixture.h"
#include "apps/gls/LanguageMenu.h"
#include "frontends/qt/QtFrontEnd.h"
#include "host/controls/ActnList.h"
#include "host/controls/ComCtrls.h"
#include "host/controls/Edits.h"
#include "host/controls/TabNotBk.h"

namespace frontendtest {
namespace {

using Glossmith::Tool::LoadPreviewForm;

// A page control whose first page holds a panel at the top, a list at the
// left and a memo in the rest; a placeholder of an unknown class aligned at
// the top before them; a hidden placeholder; an image list of an unknown
// class; a labelled edit.
const char* const kPagesForm[] = {
    "object Form1: TForm",
    "  Left = 0",
    "  Top = 0",
    "  ClientHeight = 300",
    "  ClientWidth = 400",
    "  object Pages: TPageControl",
    "    Left = 0",
    "    Top = 0",
    "    Width = 400",
    "    Height = 250",
    "    ActivePage = Sheet1",
    "    Align = alTop",
    "    TabOrder = 0",
    "    object Sheet1: TTabSheet",
    "      Caption = 'First'",
    "      object Bar: TFancyToolbar",
    "        Left = 0",
    "        Top = 0",
    "        Width = 10",
    "        Height = 20",
    "        Align = alTop",
    "      end",
    "      object TopPanel: TPanel",
    "        Left = 0",
    "        Top = 20",
    "        Width = 10",
    "        Height = 30",
    "        Align = alTop",
    "        Caption = 'Top'",
    "        TabOrder = 0",
    "      end",
    "      object LeftList: TListBox",
    "        Left = 0",
    "        Top = 50",
    "        Width = 100",
    "        Height = 10",
    "        Align = alLeft",
    "        TabOrder = 1",
    "      end",
    "      object Memo: TMemo",
    "        Left = 100",
    "        Top = 50",
    "        Width = 10",
    "        Height = 10",
    "        Align = alClient",
    "        Lines.Strings = (",
    "          'Text')",
    "        TabOrder = 2",
    "      end",
    "    end",
    "    object Sheet2: TTabSheet",
    "      Caption = 'Second'",
    "      object Named: TLabeledEdit",
    "        Left = 8",
    "        Top = 40",
    "        Width = 121",
    "        Height = 21",
    "        EditLabel.Width = 60",
    "        EditLabel.Height = 13",
    "        EditLabel.Caption = '&Name'",
    "        TabOrder = 0",
    "        Text = 'Joe'",
    "      end",
    "    end",
    "  end",
    "  object Hidden: TFancyToolbar",
    "    Left = 0",
    "    Top = 260",
    "    Width = 50",
    "    Height = 20",
    "    Visible = False",
    "  end",
    "  object Icons: TPngImageList",
    "    Left = 100",
    "    Top = 260",
    "    Width = 24",
    "    Height = 24",
    "  end",
    "end",
};

String PagesForm() {
  String out;
  for (const char* l : kPagesForm) out += String(l) + "\r\n";
  return out;
}

TEST(CorpusLookTest, AlignedControlsOnTabSheetsAndPlaceholdersLayOut) {
  std::unique_ptr<TForm> form(
      static_cast<TForm*>(ReadFormFromString(PagesForm(), Application, &TForm::StaticClass())));
  TFormWindow* window = ShowForm(form.get());
  const double s = window->View().Scale();
  auto rectOf = [&](const char* name) {
    QWidget* w = Widget(window, name);
    const QRect r = w ? w->geometry() : QRect();
    return QRect(qRound(r.x() / s), qRound(r.y() / s), qRound(r.width() / s),
                 qRound(r.height() / s));
  };
  auto* sheet = static_cast<TTabSheet*>(form->FindComponent("Sheet1"));
  ASSERT_EQ(sheet->ClientWidth(), 392);
  ASSERT_EQ(sheet->ClientHeight(), 222);
  // The placeholder takes the top row; the panel comes below it.
  EXPECT_EQ(rectOf("Bar"), QRect(0, 0, 392, 20));
  EXPECT_EQ(rectOf("TopPanel"), QRect(0, 20, 392, 30));
  EXPECT_EQ(rectOf("LeftList"), QRect(0, 50, 100, 172));
  EXPECT_EQ(rectOf("Memo"), QRect(100, 50, 292, 172));
  EXPECT_FALSE(Widget(window, "Hidden")->isVisible());
  EXPECT_EQ(window->View().WidgetOf(form->FindComponent("Icons")), nullptr)
      << "an image list is not drawn";

  // A click on a tab shows the other page, with the label of its edit.
  QTabBar* tabs = Widget<QTabWidget>(window, "Pages")->tabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  auto* pages = static_cast<TPageControl*>(form->FindComponent("Pages"));
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_TRUE(Widget(window, "Named")->isVisible());
  EXPECT_FALSE(Widget(window, "Memo")->isVisible());
  auto* edit = static_cast<TLabeledEdit*>(form->FindComponent("Named"));
  auto* label = qobject_cast<QLabel*>(window->View().WidgetOf(edit->EditLabel()));
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), "&Name");
  EXPECT_EQ(label->buddy(), Widget(window, "Named"));
  EXPECT_EQ(rectOf("SubEditLabel").topLeft(), QPoint(8, 40 - 3 - 13)) << "above the edit";
  form->Hide();
}

// The text a widget shows, its accelerators' "&" left out.
QString ShownText(QWidget* w) {
  QString text;
  if (auto* b = qobject_cast<QAbstractButton*>(w))
    text = b->text();
  else if (auto* l = qobject_cast<QLabel*>(w)) {
    text = l->text();
    // An underlined accelerator is shown as rich text.
    if (l->textFormat() == Qt::RichText) {
      QTextDocument shown;
      shown.setHtml(text);
      text = shown.toPlainText();
    }
  }
  else if (auto* e = qobject_cast<QLineEdit*>(w))
    text = e->text();
  else if (auto* g = qobject_cast<QGroupBox*>(w))
    text = g->title();
  else if (auto* m = qobject_cast<QTextEdit*>(w))
    text = m->toPlainText();
  else if (auto* c = qobject_cast<QComboBox*>(w))
    text = c->currentText();
  else  // a panel's caption: its own label, not those of its controls
    for (QLabel* l : w->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
      if (l->objectName().isEmpty()) text += l->text();
  return text.remove(QLatin1Char('&'));
}

std::string ModelText(const String& text) {
  QString shown = ToQt(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown.remove(QLatin1Char('&')).toStdString();
}

// Controls whose caption the classic control does not show: a tool bar's
// (only when it floats) and a separator's.
bool ShowsCaption(const TControl* c) {
  if (c->Is<TToolBar>()) return false;
  if (auto* b = dynamic_cast<const TToolButton*>(c))
    return b->Style() != tbsSeparator && b->Style() != tbsDivider;
  return true;
}

// Whether a control shows now: it and every parent up to the form are
// visible, and each page on the way is its notebook's active page.
bool Showing(const TControl* c) {
  for (; c; c = c->Parent()) {
    if (!c->Visible()) return false;
    if (auto* sheet = dynamic_cast<const TTabSheet*>(c))
      if (sheet->PageControl() && sheet->PageControl()->ActivePage() != sheet) return false;
    if (auto* notebook = dynamic_cast<const TTabbedNotebook*>(c->Parent()))
      if (notebook->PageIndex() < 0 || notebook->PageIndex() >= notebook->PageCount() ||
          notebook->TabPage(notebook->PageIndex()) != c)
        return false;
    if (!c->Parent() && !c->Is<TCustomForm>()) return false;
  }
  return true;
}

// Whether the preview places a control where the classic designer shows
// it. Not so, and left out of the check that it lies inside its parent:
// the contents of a scroll box (written at their scrolled positions), the
// controls of an inherited container whose size is in the ancestor's form
// file, and controls placed by the anchor sides of the other designer's
// files (AnchorSideLeft...), which the host does not lay out.
// Whether a form file gives the root's height itself, before its first
// nested object.
bool OwnSizeGiven(const std::filesystem::path& file) {
  const String text = testsupport::ReadFile(file.string());
  size_t start = text.find('\n');
  for (size_t end; start != String::npos; start = end) {
    end = text.find('\n', start + 1);
    const String line = Trim(text.substr(start + 1, end == String::npos ? end : end - start - 1));
    if (line.starts_with("object ") || line.starts_with("inherited ") || line.starts_with("inline "))
      return false;
    if (line.starts_with("Height =") || line.starts_with("ClientHeight =")) return true;
  }
  return false;
}

bool LaidOutAsDesigned(const TControl* c, bool sizeInAncestor) {
  if (sizeInAncestor) return false;
  for (const char* side : {"AnchorSideLeft", "AnchorSideTop", "AnchorSideRight", "AnchorSideBottom"})
    if (GetPropInfo(c, side)) return false;
  for (const TControl* p = c->Parent(); p; p = p->Parent())
    if (p->Is<TScrollBox>() || (p->FilerFlags().Inherited && !p->Is<TCustomForm>())) return false;
  return true;
}

const char* const kStandardClasses[] = {
    "TBitBtn",    "TSpeedButton", "TSpinEdit",   "TLabeledEdit",    "TUpDown",
    "TTrackBar",  "TButtonedEdit", "TMaskEdit",  "TShape",          "TColorBox",
    "TDateTimePicker", "TTreeView", "TStringGrid", "TRichEdit",     "TStaticText",
    "TScrollBar", "TDBGrid",     "TStackPanel"};

TEST(CorpusLookTest, EveryCorpusControlShowsItsTextOnEveryPage) {
  GLS_REQUIRE_CORPUS(dir);
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const String ext = LowerCase(entry.path().extension().string());
    if (entry.is_regular_file() && (ext == ".dfm" || ext == ".lfm")) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  int checked = 0, placeholdersLeft = 0;
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    std::unique_ptr<TComponent> root(LoadPreviewForm(file.string()));
    auto* form = dynamic_cast<TForm*>(root.get());
    ASSERT_NE(form, nullptr);
    TFormWindows windows;
    windows.Show(form, {});
    TFormWindow* window = Ui().FindWindow(form);
    ASSERT_NE(window, nullptr);
    const TFormView& view = window->View();
    // An inherited form that gives no size of its own has it in an ancestor
    // file the corpus does not hold.
    const bool sizeInAncestor = form->FilerFlags().Inherited && !OwnSizeGiven(file);

    // The placeholders left, by class.
    std::map<QString, int> placeholders;
    for (QWidget* w : view.Client()->findChildren<QWidget*>())
      if (const QVariant p = w->property("glsPlaceholder"); p.isValid()) ++placeholders[p.toString()];
    QString counted;
    for (const auto& [cls, n] : placeholders) {
      counted += QStringLiteral(" %1x%2").arg(cls).arg(n);
      placeholdersLeft += n;
      for (const char* standard : kStandardClasses)
        EXPECT_NE(cls, QLatin1String(standard)) << "still a placeholder";
    }
    std::printf("[ placeholders ] %s:%s\n", file.filename().string().c_str(),
                counted.isEmpty() ? " none" : qPrintable(counted));

    auto check = [&](const char* page) {
      for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* c = dynamic_cast<TControl*>(form->Components(i));
        if (!c || c->Caption().empty() || !Showing(c) || !ShowsCaption(c)) continue;
        SCOPED_TRACE(String(page) + " " + c->Name());
        QWidget* w = view.WidgetOf(c);
        ASSERT_NE(w, nullptr);
        if (c->Is<TTabSheet>() || c->Is<TTabPage>()) {
          // A page's caption is its tab's text.
          auto* tabs = qobject_cast<QTabWidget*>(view.WidgetOf(c->Parent()));
          ASSERT_NE(tabs, nullptr);
          const int tab = tabs->indexOf(w);
          ASSERT_GE(tab, 0);
          EXPECT_EQ(tabs->tabText(tab).remove(QLatin1Char('&')).toStdString(),
                    ModelText(c->Caption()));
          ++checked;
          continue;
        }
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(w->size().isEmpty()) << w->width() << "x" << w->height();
        if (QWidget* parent = w->parentWidget(); parent && LaidOutAsDesigned(c, sizeInAncestor)) {
          EXPECT_TRUE(parent->rect().intersects(w->geometry()))
              << "inside its parent: " << w->x() << "," << w->y() << " in " << parent->width()
              << "x" << parent->height();
        }
        // A drop-down list shows its selected item rather than the text.
        if (!c->Is<TComboBox>()) {
          EXPECT_EQ(ShownText(w).toStdString(), ModelText(c->Caption()));
        }
        ++checked;
      }
    };
    check("first");
    // The main menu's items linked to an action show the action's caption.
    if (TMainMenu* menu = form->Menu()) {
      QHash<QString, QAction*> actions;
      for (QAction* a : window->menuBar()->findChildren<QAction*>())
        if (!a->objectName().isEmpty()) actions.insert(a->objectName(), a);
      for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* item = dynamic_cast<TMenuItem*>(form->Components(i));
        auto* action = item ? dynamic_cast<TCustomAction*>(item->Action()) : nullptr;
        if (!action || item->GetParentMenu() != menu || item->IsLine()) continue;
        SCOPED_TRACE(item->Name());
        QAction* shown = actions.value(ToQt(item->Name()), nullptr);
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(item->Caption().empty());
        EXPECT_EQ(shown->text().remove(QLatin1Char('&')).toStdString(), ModelText(item->Caption()));
        ++checked;
      }
    }
    for (int i = 0; i < form->ComponentCount(); ++i) {
      auto* pages = dynamic_cast<TPageControl*>(form->Components(i));
      if (!pages) continue;
      TTabSheet* was = pages->ActivePage();
      for (int p = 0; p < pages->PageCount(); ++p) {
        if (pages->Pages(p) == was) continue;
        pages->SetActivePage(pages->Pages(p));
        TFormView::Flush();
        check(pages->Pages(p)->Name().c_str());
      }
      pages->SetActivePage(was);
      TFormView::Flush();
    }
  }
  std::printf("[ placeholders ] %d left in %zu forms; %d texts checked\n", placeholdersLeft,
              files.size(), checked);
  EXPECT_GT(checked, 1000);
}

// A real form's tabs change its pages, and the aligned controls of a page
// fill it.
TEST(CorpusLookTest, ARealFormsTabsChangeItsPages) {
  GLS_REQUIRE_CORPUS(dir);
  std::unique_ptr<TComponent> root(
      LoadPreviewForm(String(dir) + "/HeidiSQL__HeidiSQL__source_main.dfm"));
  auto* form = dynamic_cast<TForm*>(root.get());
  ASSERT_NE(form, nullptr);
  TFormWindows windows;
  windows.Show(form, {});
  TFormWindow* window = Ui().FindWindow(form);
  ASSERT_NE(window, nullptr);
  auto* pages = dynamic_cast<TPageControl*>(form->FindComponent("PageControlMain"));
  ASSERT_NE(pages, nullptr);
  auto* tabs = qobject_cast<QTabWidget*>(window->View().WidgetOf(pages));
  ASSERT_NE(tabs, nullptr);
  const int before = pages->ActivePageIndex();
  const int other = before == 0 ? 1 : 0;
  QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                    tabs->tabBar()->tabRect(tabs->indexOf(window->View().WidgetOf(
                                                pages->Pages(other))))
                        .center());
  EXPECT_EQ(pages->ActivePageIndex(), other);
  EXPECT_EQ(tabs->currentWidget(), window->View().WidgetOf(pages->Pages(other)));
  // The host page's page control fills its page.
  auto* host = dynamic_cast<TPageControl*>(form->FindComponent("PageControlHost"));
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(host->Parent()->ClientWidth(), pages->Width() - 8);
  EXPECT_EQ(window->View().LayoutRect(host),
            QRect(0, 0, host->Parent()->ClientWidth(), host->Parent()->ClientHeight()));
}

}  // namespace
}  // namespace frontendtest
