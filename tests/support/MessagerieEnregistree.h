#pragma once

#include <vector>

#include "core/Services.h"

namespace plivor::test {

// Keeps every message, converted to UTF-8 so tests read the French texts.
class MessagerieEnregistree : public Messagerie {
 public:
  void Message(const Texte& texte) override;
  std::vector<std::string> messages;
};

}  // namespace plivor::test
