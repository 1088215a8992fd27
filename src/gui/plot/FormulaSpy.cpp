#include "gui/plot/FormulaSpy.h"

#include "gui/common/ToolButtons.h"
#include "gui/formula/FormulaPicture.h"
#include "gui/view/AreaFondo.h"
#include "gui/view/frmNatural.h"

namespace vorla {
namespace {

constexpr int kSphereSize = 16;

QColor Unlit(const QWidget& sphere) { return sphere.palette().color(QPalette::Dark); }
QColor Lit(const QWidget& sphere) { return sphere.palette().color(QPalette::Highlight); }

}  // namespace

TAreaFondo* MakeSpySphere(QWidget* parent, const char* objectName, const QString& hint) {
  auto* sphere = new TAreaFondo(parent);
  sphere->setObjectName(QString::fromLatin1(objectName));
  ApplyHint(*sphere, hint);
  sphere->setFixedSize(kSphereSize, kSphereSize);
  sphere->SetEstilo(TEstiloFondo::efEsfera);
  sphere->SetColor(sphere->palette().color(QPalette::Light));
  sphere->SetColor2(Unlit(*sphere));
  sphere->SetPosicion(3);
  return sphere;
}

FormulaSpy::FormulaSpy(TfmNatural& window, QObject* parent) : QObject(parent), window_(window) {}

FormulaSpy::~FormulaSpy() = default;

void FormulaSpy::Watch(TAreaFondo* sphere, const TExpresion& expression) {
  watched_.push_back(std::make_unique<Watched>(Watched{sphere, &expression, nullptr}));
  Watched& watched = *watched_.back();
  connect(sphere, &TAreaFondo::mouseOver, this, [this, &watched](bool inside) { SphereMouseOver(watched, inside); });
}

void FormulaSpy::ForgetPictures() {
  for (const auto& watched : watched_) {
    if (window_.Graphic() == watched->picture.get()) window_.hide();
    watched->picture.reset();
    // A sphere still under the mouse shows the new formula at once.
    if (watched->sphere->MouseInside()) SphereMouseOver(*watched, true);
  }
}

void FormulaSpy::SphereMouseOver(Watched& watched, bool inside) {
  if (!inside) {
    window_.hide();
    watched.sphere->SetColor2(Unlit(*watched.sphere));
    return;
  }
  if (watched.picture == nullptr) watched.picture = FormulaPicture(*watched.expression);
  window_.ShowGraphic(watched.picture.get());
  watched.sphere->SetColor2(Lit(*watched.sphere));
}

}  // namespace vorla
