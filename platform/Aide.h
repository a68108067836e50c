#pragma once
// Our own HTML help: "Plivor.hlp" and "Plivor-S.hlp" are folders beside the
// program holding one page per topic ("1000.html") and their contents
// ("index.html").

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace plivor {

// The page of a topic, or the contents when the topic has none; empty when
// the help file is not there.
QString PageAide(const QString& fichierAide, int rubrique);

class VisionneuseAide : public QWidget {
  Q_OBJECT

 public:
  VisionneuseAide();
  void Ouvrir(const QString& page);

 private:
  QTextBrowser* texte_;
};

}  // namespace plivor
