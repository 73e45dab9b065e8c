#pragma once
// The "Ficha" tab of the lens record screen: the record's number and dates,
// doctor, agent, the measurements and graduation of both eyes side by side,
// the lenses supplied for each eye and the liquid.
//
// Frm_lentilla_ficha.cpp builds, clears, shows and collects the tab;
// Frm_lentilla_entrada.cpp binds its entry rules (graduation, axis, distance,
// dates, automatic transposition); Frm_lentilla_selectores.cpp its pickers
// (doctor, agent, lens types, articles and amounts, the left-eye copy, the
// transposition button).

#include <vector>

#include "Frm_lentilla_graduacion.h"
#include "Pagina_lentilla.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
struct TLineaLentilla;
class TEditFecha;
class TEscaneoCaja;
class TObjetosLentilla;
struct TFichaDocumento;
struct TSeleccion;

class TPaginaFicha : public TParteFicha {
  Q_OBJECT

 public:
  TPaginaFicha(TReglasEntrada& reglas, TEdicion& ficha, TObjetosLentilla& objetos, QWidget* padre = nullptr);

  // Static texts and the pickers' lists, once the host context is known.
  void Inicializar();

  // Every control cleared; dates take the working date and the revision and
  // warranty months of the company.
  void Limpiar() override;
  // The graduation of both eyes cleared.
  void Limpiar_Graduacion();
  // The three measurements of both eyes cleared.
  void Limpiar_Medidas();
  void Mostrar(TLentilla& l) override { Mostrar_Partes(l, true, true, true); }
  // Shows the graduation, the lenses (read from the record's lens lines) and
  // the rest of the record, as asked.
  void Mostrar_Partes(TLentilla& l, bool graduacion, bool lentes, bool resto);
  void Mostrar_Medidas(TLentilla& l);
  void Recoger(TLentilla& l) const override;

  // The lens fields changed since the record was shown: its lines are to be
  // written again.
  bool Lineas_Modificadas() const { return lineasModificadas_; }
  // The last record's lenses copied into a new one: they are its lines, and
  // its replacement date follows them.
  void Lineas_Copiadas();
  void Lineas_Grabadas() { lineasModificadas_ = false; }
  // The lens line of each eye that names a type or an article.
  std::vector<TLineaLentilla> Lineas() const;

  // The seven date checks of a save; false (the user told) when one fails.
  bool Comprobar_Fechas() const;
  // An article text that names no article is stored as the line's reference:
  // false (the user told) when it does not fit there.
  bool Comprobar_Lineas() const;

  // The record block of a printed record sheet, prescription or warranty:
  // the stored record `l` in the record's text conversions, the selectors'
  // texts as shown, and its stored lens lines.
  void Rellenar_Documento(TLentilla& l, TFichaDocumento& d) const;

  // Widths of the lens line's REFERENCIA and DESCRIPCION columns.
  static constexpr int kLongitudReferencia = 30;
  static constexpr int kLongitudDescripcion = 255;

  QString Texto_Numero() const;
  void Fijar_Numero(int numero);
  double Fecha_Revision() const;
  bool Sin_Fecha_Revision() const;
  void Titulo_Fichas(const TSeleccion& s);
  void Enfocar();

  void Cargar_Doctores();
  void Cargar_Agentes();
  // Refills the agent list from the list last read, keeping the agent chosen.
  void Rellenar_Agentes();
  void Cargar_Tipos();
  // Refills the two lens type selectors from the screen's catalogue, each
  // keeping its type.
  void Rellenar_Tipos();

  // Transposes the graduation of both eyes.
  void btnTrasponerClick();

  // Shows the article the screen's article object holds as the lens of an eye
  // (0 right, 1 left), with its price: an article created in the article
  // module for a scanned box also takes the box's lot and expiry.
  void Poner_Articulo(int ojo);
  // The sale lines of the hand-off: one per eye whose article edit names a
  // lens, a cleared line otherwise.
  void Lineas_Venta(TLineaVenta (&lineas)[2]) const;
  // The care liquid chosen in the article search.
  void edt_LiquidoButtonClick();

  // The measurements and graduation of both eyes from a prescription read
  // elsewhere (a scanned prescription, an imported one), as typed values.
  void Poner_Graduacion(const TGraduacionOjo (&ojos)[2]);

 signals:
  // A lens type was created from this tab: the test tab's lists are stale.
  void Tipos_Cambiados();
  // An agent was created from this tab: the test tab's list is stale.
  void Agentes_Cambiados();
  // Insert in an eye's article edit, or a scanned box whose GTIN no article
  // has: the user wants to create the article (with that barcode, if any).
  void Articulo_Pedido(int ojo, const QString& codigoBarras);

 private:
  // The article chosen for one eye: it names the lens lines and goes with the
  // left-eye copy. Key -1: the article edit holds no known article.
  struct TArticuloOjo {
    double id = -1;
    QString referencia, descripcion, modelo, color, radio1, radio2;
    double diametro = 0;
  };
  // The controls of one eye: one edit per field of the measurement and
  // graduation table, and the lens supplied.
  struct TOjo {
    QLineEdit* campos[kNumFilasGraduacion] = {};
    QLineEdit *articulo = nullptr, *importe = nullptr, *lote = nullptr, *unidades = nullptr;
    QComboBox* tipo = nullptr;
    TEditFecha *garantia = nullptr, *caja = nullptr;
    TEscaneoCaja* escaneo = nullptr;  // a lens box or a prescription scanned into the article edit
  };

  void Crear_Controles();
  void Conectar_Cambios();
  // The edit of one eye's field.
  template <class M>
  QLineEdit* Campo(int ojo, M TGraduacionOjo::*miembro) const {
    for (int i = 0; i < kNumFilasGraduacion; ++i)
      if (const auto* m = std::get_if<M TGraduacionOjo::*>(&kFilasGraduacion[i].miembro); m && *m == miembro)
        return ojos_[ojo].campos[i];
    return nullptr;
  }
  // The measurement rows (or the graduation rows) of both eyes.
  void Limpiar_Filas(bool medidas);
  void Mostrar_Campos(const TLentilla& l, bool medidas);
  void Mostrar_Lentes(double idFicha);
  // A lens line's box as the GS1 data of its barcode, or empty.
  QString Datos_Caja(const QString& referencia, const QString& lote, double caducidad) const;
  void Marcar_Lentes();

  // The replacement date: until the user types one, it is the day the lenses
  // supplied run out (their type's period times their units), kept up to date
  // as the lines and the record's date change.
  double Fin_Lentes() const;
  void Proponer_Reposicion();
  bool reposicionPropuesta_ = true;

  // Entry rules (Frm_lentilla_entrada.cpp).
  enum class TValidacionFecha { kNinguna, kFicha, kNoAnterior };
  void Enlazar_Reglas();
  void Enlazar_Fecha(TEditFecha* fecha, TValidacionFecha validacion, const QString& aviso,
                     std::function<bool()> condicion = {});
  void Salir_Fecha(TEditFecha* fecha, TValidacionFecha validacion, const QString& aviso, bool comprobar);
  bool FechaOnValidate(TEditFecha* fecha);
  bool dtmFechaOnValidate();
  void Trasponer_Ojo(int ojo);

  // Pickers (Frm_lentilla_selectores.cpp).
  void Enlazar_Selectores();
  void cbxDoctorKeyDown();
  void tbnDoctorClick();
  void cbxDoctorChange();
  void cbxAgenteKeyDown();
  void tbnAgenteClick();
  void Tipo_Lentilla_KeyDown(int ojo);
  void Buscar_Articulo(int ojo, bool siempre);
  void Mostrar_Articulo(int ojo);
  void Quitar_Articulo(int ojo);
  void Importe_Change(int ojo);
  void Copiar_Lente_OI(QWidget* campo);

  THostContext* Ctx() const { return reglas_.Contexto(); }

  TObjetosLentilla& objetos_;
  bool lineasModificadas_ = false;
  TArticuloOjo articulosOjo_[2];

  QLabel* lblTituloDatosFicha_ = nullptr;
  QLabel* txt_Titulo_NFichas_ = nullptr;
  QLineEdit* edtFicha_ = nullptr;
  TEditFecha *dtmFecha_ = nullptr, *dtmFechaRevision_ = nullptr, *dtmFechaLimpieza_ = nullptr,
             *dtmFechaCaducidad_ = nullptr, *dtmFechaReposicion_ = nullptr;
  QComboBox *cbxDoctor_ = nullptr, *cbxPropiaAjena_ = nullptr, *cbxAgente_ = nullptr;
  QToolButton *tbnDoctor_ = nullptr, *tbnAgente_ = nullptr;
  QLineEdit* edtLiquido_ = nullptr;
  TOjo ojos_[2];
};
