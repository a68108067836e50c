#pragma once
// SIGTERM and SIGINT asked of the process arrive as a Qt signal on the
// window thread, where the program can end cleanly.

#include <QObject>

class QSocketNotifier;

namespace plivor {

class SignauxFin : public QObject {
  Q_OBJECT

 public:
  explicit SignauxFin(QObject* parent = nullptr);
  ~SignauxFin() override;

 signals:
  void FinDemandee(int signal);

 private:
  QSocketNotifier* notificateur_ = nullptr;
};

}  // namespace plivor
