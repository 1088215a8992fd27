// The manual against the program: every name the function field knows, every
// help context, every example and every error example it shows.

#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QWidget>

#include "MainWindowFixture.h"
#include "core/expr/Expresion.h"
#include "core/plot/PlotExpressions.h"
#include "gui/help/HelpContext.h"
#include "gui/help/HelpIndex.h"
#include "gui/common/CoreText.h"

namespace vorla {
namespace {

QString ReadSource(const QString& file) {
  QFile source(QStringLiteral(VORLA_MANUAL_SOURCE "/") + file);
  return source.open(QIODevice::ReadOnly) ? QString::fromUtf8(source.readAll()) : QString();
}

HelpIndex SourceIndex() { return HelpIndex::Parse(ReadSource(QStringLiteral("VORLA.HLP"))); }

QStringList PageFiles(const HelpIndex& index) {
  QStringList files;
  for (const HelpEntry& entry : index.Entries())
    if (!files.contains(entry.File())) files.append(entry.File());
  return files;
}

// kind: "ej", or "errNN" for an example that fails with code NN
struct CodeExample { QString file; QString kind; QString text; };

// The <code class="..."> examples of a page's text, from position `from` on.
QList<CodeExample> CodeExamples(const QString& file, const QString& html, qsizetype from = 0) {
  static const QRegularExpression code(QStringLiteral("<code class=\"(ej|err\\d+)\">(.*?)</code>"),
                                       QRegularExpression::DotMatchesEverythingOption);
  QList<CodeExample> examples;
  for (auto it = code.globalMatch(html, from); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    examples.append({file, match.captured(1), QTextDocumentFragment::fromHtml(match.captured(2)).toPlainText()});
  }
  return examples;
}

QList<CodeExample> AllCodeExamples(const HelpIndex& index) {
  QList<CodeExample> examples;
  for (const QString& file : PageFiles(index)) examples += CodeExamples(file, ReadSource(file));
  return examples;
}

// Compiles text as the function field does and, when it compiles, evaluates
// it at x = 1, y = 1; the error code of whichever failed, else 0.
int CompileAndEvaluate(const QString& text, bool* compiled = nullptr) {
  PlotExpressions expressions;
  TExpresion& func = expressions.Expression(PlotExpressions::kFunc);
  func.SetText(ToCore(text));
  if (compiled != nullptr) *compiled = func.Compiled();
  if (!func.Compiled()) return func.ErrorCode();
  expressions.SetRowY(1);
  expressions.SetColumnX(1);
  int code = 0;
  expressions.Function(code);
  return code;
}

TEST(ManualTest, EveryNameTheFunctionFieldKnowsHasAnEntryAndNoEntryNamesAnUnknownName) {
  const HelpIndex index = SourceIndex();
  PlotExpressions expressions;
  const TFunctionList& names = expressions.Expression(PlotExpressions::kFunc).Functions();
  QStringList withoutEntry;
  for (const TFunctionEntry& name : names.Entries())
    if (index.ForKeyword(FromCore(name.Name)) == nullptr) withoutEntry.append(FromCore(name.Name));
  EXPECT_TRUE(withoutEntry.isEmpty()) << "names without a manual entry: " << withoutEntry.join(u' ').toStdString();

  QStringList unknown;
  QStringList missingAnchors;
  for (const auto& [keyword, entry] : index.Keywords()) {
    if (names.Find(ToCore(keyword)) == nullptr) unknown.append(keyword);
    const QString anchor = entry->page.section(u'#', 1);
    if (!anchor.isEmpty() && !ReadSource(entry->File()).contains(QStringLiteral("name=\"%1\"").arg(anchor)))
      missingAnchors.append(entry->page);
  }
  EXPECT_TRUE(unknown.isEmpty()) << "entries of names the program does not know: " << unknown.join(u' ').toStdString();
  EXPECT_TRUE(missingAnchors.isEmpty()) << "entries missing from their page: " << missingAnchors.join(u' ').toStdString();
}

// An "ej" example compiles; an "errNN" one fails with code NN.
TEST(ManualTest, EveryExampleCompilesAndEveryErrorExampleFailsWithItsCode) {
  int examples = 0, errorExamples = 0;
  for (const CodeExample& example : AllCodeExamples(SourceIndex())) {
    SCOPED_TRACE(example.file.toStdString() + ": " + example.text.toStdString());
    bool compiled = false;
    const int code = CompileAndEvaluate(example.text, &compiled);
    if (example.kind == QLatin1String("ej")) {
      ++examples;
      EXPECT_TRUE(compiled);
    } else {
      ++errorExamples;
      EXPECT_EQ(code, example.kind.mid(3).toInt());
    }
  }
  EXPECT_GT(examples, 41) << "at least one example for each function entry";
  EXPECT_GT(errorExamples, 20);
}

TEST(ManualTest, EveryFunctionEntryHasThePictureAndFormulaOfItsOwnExample) {
  QMap<QString, QStringList> pictured;  // page#entry -> picture name, function drawn
  for (const QString& line : ReadSource(QStringLiteral("dibujos.txt")).split(u'\n')) {
    const QStringList fields = line.split(u'|');
    if (!line.startsWith(u'#') && fields.size() == 5)
      pictured[fields[1].trimmed()] = {fields[0].trimmed(), fields[2].trimmed()};
  }
  const HelpIndex index = SourceIndex();
  for (const HelpEntry& entry : index.Entries()) {
    if (!entry.function || entry.IsGroup()) continue;
    SCOPED_TRACE(entry.page.toStdString());
    ASSERT_TRUE(pictured.contains(entry.page));
    const QString html = ReadSource(entry.File());
    const qsizetype at = html.indexOf(QStringLiteral("name=\"%1\"").arg(entry.page.section(u'#', 1)));
    const QList<CodeExample> after = CodeExamples(entry.File(), html, at);
    ASSERT_FALSE(after.isEmpty());
    EXPECT_EQ(after.front().text, pictured[entry.page][1]);
    for (const QString& picture : {QStringLiteral("%1.png"), QStringLiteral("%1-formula.png")})
      EXPECT_TRUE(html.contains(QStringLiteral("src=\"img/") + picture.arg(pictured[entry.page][0])));
  }
}

class ManualContextTest : public gui_test::MainWindowTest {};

TEST_F(ManualContextTest, EveryHelpContextOfTheCodeAndOfTheMainWindowHasATopic) {
  const HelpIndex index = SourceIndex();
  QList<int> contexts;
  for (const HelpContext context : kHelpContexts) contexts.append(static_cast<int>(context));
  OpenWindow(627, 495);
  QList<QWidget*> widgets = window_->findChildren<QWidget*>();
  widgets.append(window_.get());
  for (const QWidget* widget : widgets)
    if (const QVariant context = widget->property("helpContext"); context.isValid()) contexts.append(context.toInt());
  for (const int context : contexts) {
    const HelpEntry* topic = index.ForContext(context);
    ASSERT_NE(topic, nullptr) << "help context " << context << " has no topic";
    EXPECT_FALSE(ReadSource(topic->File()).isEmpty()) << topic->File().toStdString();
  }
}

}  // namespace
}  // namespace vorla
