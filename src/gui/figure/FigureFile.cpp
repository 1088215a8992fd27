#include "gui/figure/FigureFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "core/expr/Expresion.h"
#include "core/io/ImageRows.h"
#include "core/io/SafeFileOutput.h"
#include "core/io/FigureDocumentText.h"
#include "gui/common/CoreText.h"
#include "gui/figure/FigurePainter.h"
#include "gui/formula/FormulaFile.h"

namespace vorla {
namespace {

// Figure lengths are pixels of the picture, shown at 96 per inch.
constexpr int kDotsPerInch = 96;

std::string DocumentElements(const FigureContent& figure) {
  return FigureDocumentElements({figure.picture.Width(), figure.picture.Height(), figure.documentText});
}

QString Title(const FigureContent& figure) {
  if (!figure.plot) return QStringLiteral("Vorlascope");
  return FromCore(figure.plot->Expression(PlotExpressions::kFunc).Text());
}

// The generator's SVG with its size in pixels rather than millimetres (so a
// browser shows the picture's pixels one to one), the document in
// <metadata> after the opening tag, and the picture marked to be enlarged
// without smoothing.
QByteArray Svg(const FigureContent& figure, const FigurePainter& layout) {
  QBuffer buffer;
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(layout.Size().toSize());
  svg.setViewBox(QRectF(QPointF(0, 0), layout.Size()));
  svg.setResolution(kDotsPerInch);
  // The generator writes the title as it is given, markup and all.
  svg.setTitle(Title(figure).toHtmlEscaped());
  svg.setDescription(QStringLiteral("Vorlascope"));
  QPainter painter;
  if (!painter.begin(&svg)) return {};
  layout.Draw(painter);
  painter.end();
  QByteArray text = buffer.data();
  const qsizetype svgTag = text.indexOf("<svg");
  const qsizetype tagEnd = svgTag < 0 ? -1 : text.indexOf('>', svgTag);
  if (tagEnd < 0) return {};
  const QSize size = layout.Size().toSize();
  QString tag = QString::fromUtf8(text.mid(svgTag, tagEnd - svgTag));
  tag.replace(QRegularExpression(QStringLiteral(R"(width="[^"]*" height="[^"]*")")),
              QStringLiteral(R"(width="%1" height="%2")").arg(size.width()).arg(size.height()));
  const QByteArray sized = tag.toUtf8();
  text.replace(svgTag, tagEnd - svgTag, sized);
  const qsizetype sizedEnd = svgTag + sized.size();
  const std::string metadata = "<metadata><vorlascope:figura xmlns:vorlascope=\"" + std::string(kFigureNamespace) +
                               "\">" + DocumentElements(figure) + "</vorlascope:figura></metadata>";
  text.insert(sizedEnd + 1, QByteArray::fromStdString("\n" + metadata));
  text.replace("<image ", "<image style=\"image-rendering:pixelated\" ");
  return text;
}

// The PDF's XMP packet: its title, and the document as in an SVG.
QByteArray Xmp(const FigureContent& figure) {
  const std::string title = Title(figure).toHtmlEscaped().toStdString();
  return QByteArray::fromStdString(
      "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
      "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
      "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
      "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:vorlascope=\"" +
      std::string(kFigureNamespace) + "\">\n<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" + title +
      "</rdf:li></rdf:Alt></dc:title>\n" + DocumentElements(figure) +
      "\n</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>");
}

QByteArray Pdf(const FigureContent& figure, const FigurePainter& layout) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  pdf.setResolution(kDotsPerInch);
  pdf.setTitle(Title(figure));
  pdf.setCreator(QStringLiteral("Vorlascope " VORLA_VERSION));
  const QSizeF points = layout.Size() * 72.0 / kDotsPerInch;
  pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
  pdf.setDocumentXmpMetadata(Xmp(figure));
  pdf.addFileAttachment(QStringLiteral("documento.vlx"), QByteArray::fromStdString(figure.documentText),
                        QStringLiteral("text/plain"));
  QPainter painter;
  if (!painter.begin(&pdf)) return {};
  layout.Draw(painter);
  painter.end();
  return buffer.data();
}

}  // namespace

std::optional<FigureFormat> FigureFormatFromPath(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".svg") return FigureFormat::kSvg;
  if (extension == ".pdf") return FigureFormat::kPdf;
  return std::nullopt;
}

std::filesystem::path FigureFileName(const std::filesystem::path& chosen, FigureFormat format) {
  std::filesystem::path name = chosen;
  return name.replace_extension(format == FigureFormat::kSvg ? ".svg" : ".pdf");
}

void WriteFigure(const FigureContent& figure, const std::filesystem::path& path, FigureFormat format) {
  EnsureGuiApplication();
  const FigurePainter layout(figure);
  const QByteArray bytes = format == FigureFormat::kSvg ? Svg(figure, layout) : Pdf(figure, layout);
  if (bytes.isEmpty()) throw ImageWriteFailure(path, "no se pudo dibujar la figura");
  SafeFileOutput out(path, ImageFileFailure);
  if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out.File()) !=
      static_cast<std::size_t>(bytes.size()))
    out.Fail("no se pudo escribir la figura");
  out.Commit();
}

}  // namespace vorla
