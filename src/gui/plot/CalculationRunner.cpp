#include "gui/plot/CalculationRunner.h"

#include <QMetaObject>

namespace vorla {

CalculationRunner::CalculationRunner(QObject* parent)
    : QObject(parent),
      service_({[this](JobId id, int percent) {
                  QMetaObject::invokeMethod(this, [this, id, percent] { emit progressed(id, percent); },
                                            Qt::QueuedConnection);
                },
                [this](const JobOutcome& outcome) {
                  QMetaObject::invokeMethod(
                      this, [this, outcome] { emit finished(outcome.id, outcome.end, outcome.failure); },
                      Qt::QueuedConnection);
                }}) {}

// The service, destroyed with the members, stops the job and joins its
// worker; notifications it still queues die with this object.
CalculationRunner::~CalculationRunner() = default;

}  // namespace vorla
