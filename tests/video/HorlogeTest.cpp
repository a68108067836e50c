// The simulated clock of an export: frames at each boundary crossed, and a
// projection timer followed as Qt runs it.

#include <QTimer>
#include <gtest/gtest.h>

#include "video/CadenceExport.h"

namespace plivor {
namespace {

using namespace std::chrono;

TEST(HorlogeExport, UneImageAChaqueFrontiereFranchie) {
  std::vector<long long> prises;
  CadenceExport cadence(25, [&](long long i) { prises.push_back(i); });
  cadence.AvancerJusqua(milliseconds(40));  // [0, 40): frame 0 only
  EXPECT_EQ(prises, (std::vector<long long>{0}));
  cadence.Pause(milliseconds(85));  // to 125: frames at 40, 80, 120
  EXPECT_EQ(prises, (std::vector<long long>{0, 1, 2, 3}));
  int presentees = 0;
  cadence.PauseEtape(milliseconds(10), [&] { ++presentees; });  // 125..135: no boundary
  cadence.PauseEtape(milliseconds(30), [&] { ++presentees; });  // 135..165: 160
  EXPECT_EQ(presentees, 1);
  EXPECT_EQ(prises.back(), 4);
  cadence.Interrompre();
  cadence.Attendre(seconds(10));
  EXPECT_EQ(prises.size(), 5u);
}

TEST(HorlogeExport, UneMinuterieRelanceeGardeLeRythmeDeQt) {
  CadenceExport cadence(10, [](long long) {});
  QTimer minuterie;
  minuterie.setInterval(1000);
  SuiviMinuterie suivi(minuterie, cadence);
  EXPECT_FALSE(suivi.Echeance());
  minuterie.start();
  EXPECT_EQ(*suivi.Echeance(), milliseconds(1000));
  suivi.Rearmer();
  // It fires on time: the next deadline one interval later, whatever the
  // handler takes, unless it takes longer than that.
  cadence.AvancerJusqua(milliseconds(1000));
  suivi.Declencher();
  cadence.Avancer(milliseconds(300));
  EXPECT_EQ(*suivi.Echeance(), milliseconds(2000));
  cadence.AvancerJusqua(milliseconds(2000));
  suivi.Declencher();
  cadence.Avancer(milliseconds(1500));
  EXPECT_EQ(*suivi.Echeance(), milliseconds(3000));  // overdue: fires as the handler returns
  suivi.Declencher();
  EXPECT_EQ(*suivi.Echeance(), milliseconds(4000));
  // The same interval set again restarts it from now, as Qt does.
  suivi.Rearmer();
  minuterie.setInterval(1000);
  EXPECT_EQ(*suivi.Echeance(), milliseconds(4500));
  suivi.Rearmer();
  minuterie.setInterval(700);
  EXPECT_EQ(suivi.Intervalle(), 700);
  EXPECT_EQ(*suivi.Echeance(), milliseconds(3500) + milliseconds(700));
  suivi.Rearmer();
  minuterie.stop();
  EXPECT_FALSE(suivi.Echeance());
}

}  // namespace
}  // namespace plivor
