#pragma once
// "--capture FICHIER [--apres MS]": the whole screen is written to FICHIER
// after MS milliseconds (3000 by default), then the program ends. Tests of
// the real program look at what a person would have seen.

#include <QString>

namespace plivor {

struct Commande;

class Capture {
 public:
  // Arms the capture the command line asks for, if it asks one.
  explicit Capture(const Commande& commande);
  // The exit code once the program's loop has ended: a capture asked and
  // not written is a failure, said.
  int Fin(int code) const;
  // Written, or failed: the program ends without its loop.
  bool Finie() const { return ecrite_ || echec_; }

 private:
  QString fichier_;
  bool ecrite_ = false;
  bool echec_ = false;
};

}  // namespace plivor
