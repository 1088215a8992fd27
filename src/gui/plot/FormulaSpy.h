#pragma once
// The spy spheres beside the expression fields: while the mouse rests on
// one, the formula window shows that expression typeset and the sphere
// lights up. Each picture is made on first use and kept until any
// expression changes.

#include <QObject>
#include <QPicture>
#include <QString>

#include <memory>
#include <vector>

namespace vorla {

class TAreaFondo;
class TExpresion;
class TfmNatural;

// A little shaded sphere named objectName with its hint, ready for
// FormulaSpy::Watch.
TAreaFondo* MakeSpySphere(QWidget* parent, const char* objectName, const QString& hint);

class FormulaSpy : public QObject {
  Q_OBJECT

 public:
  explicit FormulaSpy(TfmNatural& window, QObject* parent = nullptr);
  ~FormulaSpy() override;

  // Shows `expression` (which must outlive the spy) while the mouse rests on `sphere`.
  void Watch(TAreaFondo* sphere, const TExpresion& expression);
  // Drops the pictures: the next look typesets the expressions anew.
  void ForgetPictures();

 private:
  struct Watched {
    TAreaFondo* sphere;
    const TExpresion* expression;
    std::unique_ptr<QPicture> picture;
  };

  void SphereMouseOver(Watched& watched, bool inside);

  TfmNatural& window_;
  std::vector<std::unique_ptr<Watched>> watched_;
};

}  // namespace vorla
