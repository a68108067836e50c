#include "support/MessagerieEnregistree.h"

namespace plivor::test {

void MessagerieEnregistree::Message(const Texte& texte) { messages.push_back(VersUtf8(texte)); }

}  // namespace plivor::test
