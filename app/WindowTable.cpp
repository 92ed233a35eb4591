// Every window the menus and the screens open by name, and how to make it.
// The name is the window's class name; a window is reached by name only once
// it has its line here. Windows of one layer open those of another through
// this table, so that the layers need not know each other.
#include "WindowTable.h"

#include "core/frmBackup.h"
#include "core/frmLogin.h"
#include "master/frmBarang.h"
#include "master/frmCariBarang.h"
#include "master/frmCariBarang2.h"
#include "master/frmGrup.h"
#include "master/frmPelanggan.h"
#include "master/frmPemasok.h"
#include "master/frmPengguna.h"
#include "master/frmProduk.h"
#include "reports/FormLaporan.h"
#include "reports/LapMaster.h"
#include "transactions/frmBukaLaci.h"
#include "transactions/frmCetakJual.h"
#include "transactions/frmPembelian.h"
#include "transactions/frmKasAwal.h"
#include "transactions/frmPenjualan.h"
#include "transactions/frmRetur.h"
#include "transactions/frmSetelanStruk.h"
#include "transactions/frmTransaksi.h"
#include "transactions/frmTutupKasir.h"

#define WINDOW(Class) {#Class, ui::Make<Class>}

namespace {
constexpr ui::WindowEntry kWindows[] = {
    WINDOW(frmLogin),
    WINDOW(frmGrup),
    WINDOW(frmProduk),
    WINDOW(frmBarang),
    WINDOW(frmPemasok),
    WINDOW(frmPelanggan),
    WINDOW(frmPengguna),
    WINDOW(frmCariBarang),
    WINDOW(frmCariBarang2),
    WINDOW(frmPenjualan),
    WINDOW(frmPembelian),
    WINDOW(frmTransaksi),
    WINDOW(frmRetur),
    WINDOW(frmTutupKasir),
    WINDOW(frmKasAwal),
    WINDOW(frmCetakJual),
    WINDOW(frmBukaLaci),
    WINDOW(frmSetelanStruk),
    WINDOW(frmLapJualNota),
    WINDOW(frmLapJualTanggal),
    WINDOW(frmLapJualPeriode),
    WINDOW(frmLapBeliNota),
    WINDOW(frmLapBeliPeriode),
    WINDOW(frmKasMasukTanggal),
    WINDOW(frmKasKeluarTanggal),
    WINDOW(frmKasMasukPeriode),
    WINDOW(frmKasKeluarPeriode),
    WINDOW(frmKasPeriode),
    WINDOW(frmLapKasirHarian),
    WINDOW(frmLapTutupKasir),
    WINDOW(frmLapBarangGrup),
    WINDOW(rptLapPemasok),
    WINDOW(rptLapGrup),
    WINDOW(rptLapProduk),
    WINDOW(rptLapBarang),
    WINDOW(frmBackup),
};
}  // namespace

ui::WindowTable ProgramWindows() { return kWindows; }
