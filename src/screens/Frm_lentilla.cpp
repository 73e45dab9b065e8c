#include "Frm_lentilla.h"
#include "Etiquetas_lentilla.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "Aviso_resultado.h"
#include "Clase_tbdacceso.h"
#include "Clase_tctrlteclado.h"
#include "Clase_tlentilla.h"
#include "Clase_ttienda.h"
#include "Dm_lentilla.h"
#include "Frm_error.h"
#include "Lector_cuna.h"
#include "Frm_lentilla_ficha.h"
#include "Frm_lentilla_observaciones.h"
#include "Frm_lentilla_pruebas.h"
#include "Frm_lentilla_reposiciones.h"
#include "Frm_sms.h"
#include "Marco_dialogo.h"
#include "Servicios_lentilla.h"

namespace {
TfrmLentilla* g_activa = nullptr;

const QString kPantalla = QStringLiteral("Ficha de Lentillas");
const QString kAviso = QStringLiteral("AVISO");
const QString kPregunta = QStringLiteral("PREGUNTA");
const QString kSinUltima = QStringLiteral("No ha sido posible encontrar la última ficha para copiar los datos");
const QString kCambios = QStringLiteral("Los datos han cambiado. ¿Desea guardar los cambios?");
// What the record screen would like: both eyes side by side at a glance.
constexpr QSize kTamano(1280, 800);
}  // namespace

TfrmLentilla* TfrmLentilla::Activa() { return g_activa; }

TfrmLentilla::TfrmLentilla(TAplicacion* owner)
    : QWidget(owner ? owner->ventanaPrincipal : nullptr, Qt::Window), owner_(owner), objetos_(owner) {
  setObjectName(QStringLiteral("frmLentilla"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Gestión de fichas de lentillas"));
  // The screen goes with its owner if the host drops the application object first.
  if (owner) connect(owner, &QObject::destroyed, this, [this] { delete this; });
  reglas_ = new TReglasEntrada(this, [this](const QString& etiqueta, const std::function<void()>& accion) {
    Guardia(etiqueta, accion);
  });
  reglas_->abierta = [this] { return ctx_ && !cerrada_; };
  Crear_Controles();
  g_activa = this;
}

TfrmLentilla::~TfrmLentilla() {
  qApp->removeEventFilter(this);
  if (g_activa == this) g_activa = nullptr;
}

void TfrmLentilla::Fijar_Contexto(THostContext* ctx) {
  ctx_ = ctx;
  objetos_.Fijar_Contexto(ctx);
  reglas_->Fijar_Contexto(ctx);
  servicios_ = ctx ? std::make_unique<TServiciosLentilla>(*ctx, objetos_) : nullptr;
}

std::array<TParteFicha*, 2> TfrmLentilla::Partes_Ficha() const { return {ficha_, observaciones_}; }

std::array<TPaginaLentilla*, 4> TfrmLentilla::Paginas() const {
  return {ficha_, observaciones_, pruebas_, reposiciones_};
}

TPaginaLentilla* TfrmLentilla::Pagina_Activa() const {
  return static_cast<TPaginaLentilla*>(pclLentilla_->currentWidget());
}

std::array<TEdicion*, 3> TfrmLentilla::Ediciones() { return {this, pruebas_, reposiciones_}; }

QString TfrmLentilla::Pregunta_Cambios() const { return kCambios; }

bool TfrmLentilla::Modificado() const { return ficha_->Modificada() || observaciones_->Modificada(); }

// ---- Controls ----------------------------------------------------------------------

void TfrmLentilla::Crear_Controles() {
  auto* principal = new QVBoxLayout(this);
  principal->setContentsMargins(0, 0, 0, 0);
  principal->setSpacing(0);

  auto* tlbBotones = new QToolBar(this);
  tlbBotones->setObjectName(QStringLiteral("tlbBotones"));
  tlbBotones->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  tlbBotones->setIconSize(QSize(24, 24));
  const auto guardado = [this](const char* etiqueta, void (TfrmLentilla::*metodo)()) {
    return [this, etiqueta, metodo] { Guardia(QLatin1String(etiqueta), [this, metodo] { (this->*metodo)(); }); };
  };
  const struct {
    const char *nombre, *texto, *icono, *etiqueta;
    void (TfrmLentilla::*accion)();
    bool separador;
    QToolButton** miembro;
  } botones[] = {
      {"btnPrimero", "Primero", "primero", etiqueta::kbtnPrimero_OnClick, &TfrmLentilla::btnPrimeroClick, false, nullptr},
      {"btnAnterior", "Anterior", "anterior", etiqueta::kbtnAnterior_OnClick, &TfrmLentilla::btnAnteriorClick, false, nullptr},
      {"btnSiguiente", "Siguiente", "siguiente", etiqueta::kbtnSiguiente_OnClick, &TfrmLentilla::btnSiguienteClick, false,
       nullptr},
      {"btnUltimo", "Último", "ultimo", etiqueta::kbtnUltimo_OnClick, &TfrmLentilla::btnUltimoClick, true, nullptr},
      {"btnNuevo", "Nuevo", "nuevo", etiqueta::kbtnNuevo_OnClick, &TfrmLentilla::btnNuevoClick, false, nullptr},
      {"btnGrabar", "Grabar", "grabar", etiqueta::kbtnGrabar_OnClick, &TfrmLentilla::btnGrabarClick, false, &btnGrabar_},
      {"btnBorrar", "Borrar", "borrar", etiqueta::kbtnBorrar_OnClick, &TfrmLentilla::btnBorrarClick, true, &btnBorrar_},
      // Printing comes with its own part.
      {"btnVenta", "Venta", "venta", etiqueta::kbtnVenta_OnClick, &TfrmLentilla::btnVentaClick, false, nullptr},
      {"btnEncargo", "Encargo", "encargo", etiqueta::kbtnEncargo_OnClick, &TfrmLentilla::btnEncargoClick, false, nullptr},
      {"btnTrasponer", "Trasponer", "trasponer", etiqueta::kbtnTrasponer_OnClick, &TfrmLentilla::btnTrasponerClick, true,
       &btnTrasponer_},
      {"btnImprimir", "Imprimir", "imprimir", nullptr, nullptr, false, nullptr},
      {"btnSMS", "SMS", "sms", etiqueta::kbtnSMS_OnClick, &TfrmLentilla::btnSMSClick, true, nullptr},
      {"btnAvisos", "Avisos", "avisos", etiqueta::kbtnAvisos_OnClick, &TfrmLentilla::btnAvisosClick, true, nullptr},
      {"btnSalir", "Salir", "salir", nullptr, nullptr, false, nullptr},
  };
  for (const auto& b : botones) {
    auto* boton = new QToolButton(tlbBotones);
    boton->setObjectName(QString::fromLatin1(b.nombre));
    boton->setText(QString::fromUtf8(b.texto));
    boton->setToolTip(QString::fromUtf8(b.texto));
    boton->setStatusTip(QString::fromUtf8(b.texto));
    boton->setIcon(TdmLentilla::Imagen(QString::fromLatin1(b.icono)));
    boton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    boton->setMinimumWidth(64);
    tlbBotones->addWidget(boton);
    if (b.separador) tlbBotones->addSeparator();
    if (b.accion)
      connect(boton, &QToolButton::clicked, this, guardado(b.etiqueta, b.accion));
    else if (b.nombre != std::string_view("btnSalir") && b.nombre != std::string_view("btnImprimir"))
      boton->setEnabled(false);
    if (b.miembro) *b.miembro = boton;
    if (b.nombre == std::string_view("btnSalir")) connect(boton, &QToolButton::clicked, this, &QWidget::close);
    if (b.nombre == std::string_view("btnSMS")) {
      boton->setStatusTip(QStringLiteral("Envío de mensajes SMS"));
      boton->setToolTip(QStringLiteral("Envío de mensajes SMS"));
    }
    if (b.nombre == std::string_view("btnImprimir")) {
      auto* menuImprimir = new QMenu(boton);
      const struct {
        const char *nombre, *texto, *etiqueta;
        void (TfrmLentilla::*accion)();
      } impresiones[] = {{"btnImpFicha", "Ficha", etiqueta::kbtnImpFicha_OnClick, &TfrmLentilla::btnImpFichaClick},
                         {"btnImpGarantia", "Garantia", etiqueta::kbtnImpGarantia_OnClick, &TfrmLentilla::btnImpGarantiaClick},
                         {"btnImpReceta", "Receta", etiqueta::kbtnImpReceta_OnClick, &TfrmLentilla::btnImpRecetaClick},
                         {"btnImpFhir", "FHIR…", etiqueta::kbtnImpFhir_OnClick, &TfrmLentilla::btnFhirExportarClick},
                         {"btnImpFhirImportar", "Importar receta FHIR…", etiqueta::kbtnImpFhirImportar_OnClick,
                          &TfrmLentilla::btnFhirImportarClick}};
      for (const auto& i : impresiones) {
        QAction* a = menuImprimir->addAction(QString::fromUtf8(i.texto));
        a->setObjectName(QString::fromLatin1(i.nombre));
        connect(a, &QAction::triggered, this, guardado(i.etiqueta, i.accion));
      }
      boton->setMenu(menuImprimir);
      boton->setPopupMode(QToolButton::InstantPopup);
    }
  }
  principal->addWidget(tlbBotones);

  pclLentilla_ = new QTabWidget(this);
  pclLentilla_->setObjectName(QStringLiteral("pclLentilla"));
  pclLentilla_->setIconSize(QSize(20, 20));
  // Each page goes into its tab before it is filled: a filled page moved into
  // the tab widget has every one of its controls walked through again.
  ficha_ = new TPaginaFicha(*reglas_, *this, objetos_);
  pclLentilla_->addTab(ficha_, TdmLentilla::Imagen(QStringLiteral("ficha")), QStringLiteral("Ficha"));
  observaciones_ = new TPaginaObservaciones(*reglas_, *this);
  pclLentilla_->addTab(observaciones_, QStringLiteral("Observaciones"));
  pruebas_ = new TPaginaPruebas(*reglas_, objetos_, seleccion_);
  pclLentilla_->addTab(pruebas_, TdmLentilla::Imagen_Pestana(3), QStringLiteral("Pruebas"));
  reposiciones_ = new TPaginaReposiciones(*reglas_, seleccion_);
  pclLentilla_->addTab(reposiciones_, TdmLentilla::Imagen_Pestana(3), QStringLiteral("Reposiciones"));
  for (TPaginaLentilla* p : Partes_Ficha()) connect(p, &TPaginaLentilla::Cambiada, this, [this] { Modificado_Estado(true); });
  for (TPaginaLentilla* p : Paginas()) {
    // A tab's image (1 observations, 2 it holds data, 3 none), kept beside it
    // as the tab's data.
    connect(p, &TPaginaLentilla::Imagen_Cambiada, this, [this, p](int i) {
      const int pestana = pclLentilla_->indexOf(p);
      pclLentilla_->setTabIcon(pestana, TdmLentilla::Imagen_Pestana(i));
      pclLentilla_->tabBar()->setTabData(pestana, i);
    });
    connect(p, &TPaginaLentilla::Estado, this, [this](const QString& texto) { sbr_Ayuda_->showMessage(texto, 15000); });
    connect(p, &TPaginaLentilla::Grabada, this, [this] { Actualizar_Ultima_Visita(); });
  }
  connect(pruebas_, &TPaginaPruebas::Definitiva, this,
          [this] { Guardia(QLatin1String(etiqueta::kbtnPruebaDefinitiva_OnClick), [this] { btnPruebaDefinitivaClick(); }); });
  connect(pruebas_, &TPaginaPruebas::Tipos_Cambiados, ficha_, &TPaginaFicha::Rellenar_Tipos);
  connect(pruebas_, &TPaginaPruebas::Imprimir, this,
          [this] { Guardia(QLatin1String(etiqueta::kbtnPruebaImprimir_OnClick), [this] { btnPruebaImprimirClick(); }); });
  connect(reposiciones_, &TPaginaReposiciones::Imprimir, this, [this] {
    Guardia(QLatin1String(etiqueta::kbtnReposicionImprimir_OnClick), [this] { btnReposicionImprimirClick(); });
  });
  connect(ficha_, &TPaginaFicha::Tipos_Cambiados, pruebas_, &TPaginaPruebas::Rellenar_Tipos);
  connect(ficha_, &TPaginaFicha::Agentes_Cambiados, pruebas_, &TPaginaPruebas::Rellenar_Agentes);
  connect(pruebas_, &TPaginaPruebas::Agentes_Cambiados, ficha_, &TPaginaFicha::Rellenar_Agentes);
  connect(pclLentilla_, &QTabWidget::currentChanged, this, [this] {
    Guardia(QLatin1String(etiqueta::kpclLentilla_OnChange), [this] { pcl_Lentilla_Change(); });
  });
  principal->addWidget(pclLentilla_, 1);

  sbr_Ayuda_ = new QStatusBar(this);
  sbr_Ayuda_->setObjectName(QStringLiteral("sbr_Ayuda"));
  sbr_Ayuda_->setSizeGripEnabled(false);
  lblSoloLectura_ = new QLabel(sbr_Ayuda_);
  lblSoloLectura_->setObjectName(QStringLiteral("lblSoloLectura"));
  lblSoloLectura_->setText(QStringLiteral("Sólo consulta: su usuario no puede modificar fichas guardadas"));
  lblSoloLectura_->setVisible(false);
  sbr_Ayuda_->addPermanentWidget(lblSoloLectura_);
  principal->addWidget(sbr_Ayuda_);
  reglas_->aviso = [this](const QString& texto) { sbr_Ayuda_->showMessage(texto, 15000); };

  Enlazar_Traspasos();

  for (int tecla : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F12}) {
    auto* atajo = new QShortcut(QKeySequence(tecla), this);
    atajo->setContext(Qt::WindowShortcut);
    connect(atajo, &QShortcut::activated, this, [this, tecla] { Teclas(tecla); });
  }
  resize(kTamano);
}

// ---- Initialisation ------------------------------------------------------------------

void TfrmLentilla::Inicializar() {
  if (!ctx_ || !ctx_->aplicacion || !ctx_->puesto || !ctx_->empresa || !ctx_->usuario)
    throw std::runtime_error("El contexto del programa no está completo.");
  if (!ctx_->conexionPrincipal || !ctx_->conexionSecundaria)
    throw std::runtime_error("El programa no ha abierto la base de datos.");

  // 1. The objects needed first.
  for (auto codigo : {TObjetosLentilla::kLentilla, TObjetosLentilla::kTienda, TObjetosLentilla::kAgente})
    objetos_.Crear(codigo);
  // 2. The data module on the host's connection and transaction.
  dm_ = std::make_unique<TdmLentilla>(owner_);
  dm_->Fijar_Contexto(ctx_);
  reposiciones_->Enlazar(dm_.get(), servicios_->reposiciones);
  // 3. The selection.
  ctx_->seleccion.moduloAbierto = 1;
  seleccion_ = ctx_->seleccion;
  // 4. Static controls, then everything cleared and the pickers filled.
  ficha_->Titulo_Fichas(seleccion_);
  ficha_->Inicializar();
  observaciones_->Limpiar();
  pruebas_->Inicializar(servicios_->pruebas);
  Poner_Titulo();
  // 5-6. The chosen record, or a new one.
  if (seleccion_.idFicha == 0) {
    ficha_->Fijar_Numero(seleccion_.ultimaFicha + 1);
    Preparar_Nueva();
    // A new record, whatever the preparation read: it never names the last one.
    objetos_.Renovar_Lentilla();
    fichaExistente_ = false;
  } else if (Cargar_Ficha(seleccion_.idFicha) == 0) {
    TLentilla& l = objetos_.Lentilla();
    ctx_->acceso->Registrar_Ficha(*ctx_, TBDAcceso::kConsulta, l.ID_MLENTILLA(), l.NUMERO_FICHA(), l.FECHA());
  }
  // 7. The record tab in front; the tests are loaded when their tab is first
  // shown, and until then its image says whether there are any.
  pclLentilla_->setCurrentWidget(ficha_);
  ficha_->Enfocar();
  Modificado_Estado(Modificado());
  pruebas_->Fijar_Pendiente(true);
  pruebas_->Marcar_Prueba(false);
  reposiciones_->Marcar_Reposicion(false);
  // The tabs' images from one question; their rows when they are shown.
  TServicioFichas::THistorial historial;
  if (servicios_->fichas.Historial(seleccion_.idPaciente, historial).Hecho_Bien()) {
    reposiciones_->Hay_Reposiciones(historial.reposiciones);
    pruebas_->Hay_Pruebas(historial.pruebas);
  } else {
    reposiciones_->Cargar_Reposiciones();
    pruebas_->Cargar_Pruebas(false);
  }

  qApp->installEventFilter(this);
  // Centred on the host's window, whole inside the screen's free area.
  const QWidget* ventana = ctx_->aplicacion->ventanaPrincipal;
  const QScreen* pantalla = ventana && ventana->screen() ? ventana->screen() : screen();
  const QRect zona = pantalla ? pantalla->availableGeometry() : QRect(0, 0, 1280, 800);
  const TColocacion c = Colocar_Ventana(zona, kTamano, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this),
                                        ventana ? ventana->frameGeometry().center() : zona.center());
  setGeometry(c.geometria);
  if (c.maximizada) setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrmLentilla::Poner_Titulo(const QString& tienda) {
  QString t = kPantalla + QStringLiteral(" - ") + seleccion_.textoPaciente;
  if (!tienda.isNull()) t += QStringLiteral(" - ") + tienda;
  setWindowTitle(t);
}

// ---- Showing a record ------------------------------------------------------------------

int TfrmLentilla::Cargar_Ficha(double idFicha) {
  TLentilla& l = objetos_.Lentilla();
  l.ID_MLENTILLA(idFicha);
  const int r = l.Buscar();
  if (r == -5) {
    ctx_->aplicacion->MessageBox(kSinUltima, kAviso, mb::OK);
    return r;
  }
  if (r != 0) return r;
  Mostrar_Ficha(l);
  for (TParteFicha* p : Partes_Ficha()) p->Fijar_Modificada(false);
  fichaExistente_ = true;
  return 0;
}

void TfrmLentilla::Mostrar_Ficha(TLentilla& l) {
  for (TParteFicha* p : Partes_Ficha()) p->Mostrar(l);
}

int TfrmLentilla::Preparar_Nueva() {
  if (seleccion_.tieneFichas == 0) {
    ficha_->Limpiar_Medidas();
    for (TParteFicha* p : Partes_Ficha()) p->Fijar_Modificada(false);
    return 0;
  }
  TLentilla& l = objetos_.Lentilla();
  l.ID_PACIENTE(seleccion_.idPaciente);
  const int r = l.Buscar_Ultima();
  if (r != 0) return r;
  ficha_->Mostrar_Medidas(l);
  int respuesta = mb::IDYES;
  if (ctx_->usuario->preguntarCopia)
    respuesta = ctx_->aplicacion->MessageBox(QStringLiteral("¿Desea copiar los datos de la última ficha?"), kPregunta,
                                             mb::YESNO | mb::ICONQUESTION);
  if (respuesta == mb::IDYES) {
    if (ctx_->usuario->copiarUltimaGraduacion) ficha_->Mostrar_Partes(l, true, false, false);
    if (ctx_->usuario->copiarUltimosLentes) {
      ficha_->Mostrar_Partes(l, false, true, false);
      ficha_->Lineas_Copiadas();  // the copied lenses belong to the new record
    }
  } else {
    ficha_->Limpiar_Graduacion();
  }
  for (TParteFicha* p : Partes_Ficha()) p->Fijar_Modificada(false);
  return 0;
}

// ---- Changes and questions ---------------------------------------------------------------

void TfrmLentilla::Modificado_Estado(bool modificado) {
  const bool bloqueada = ctx_ && !ctx_->usuario->Puede_Modificar() && fichaExistente_;
  if (bloqueada || !modificado) {
    for (TParteFicha* p : Partes_Ficha()) p->Fijar_Modificada(false);
  } else if (!Modificado()) {
    ficha_->Fijar_Modificada(true);
  }
  btnGrabar_->setEnabled(Modificado());
  btnBorrar_->setEnabled(!bloqueada);
  Derechos();
}

void TfrmLentilla::Derechos() {
  if (!ctx_) return;
  const bool puede = ctx_->usuario->Puede_Modificar();
  const int derechos = (puede ? 1 : 0) | (fichaExistente_ ? 2 : 0);
  if (derechos == derechos_) return;
  derechos_ = derechos;
  // A stored record the user may not change is shown so that nothing can be
  // typed into it: what is typed there could never be saved.
  const bool bloqueada = !puede && fichaExistente_;
  reglas_->Fijar_Solo_Lectura(bloqueada);
  for (TPaginaLentilla* p : Paginas()) p->Derechos(puede, fichaExistente_);
  btnTrasponer_->setEnabled(!bloqueada);
  lblSoloLectura_->setVisible(bloqueada);
}

bool TfrmLentilla::Dejar_Todo() {
  for (TEdicion* e : Ediciones())
    if (!Dejar_Edicion(ctx_->aplicacion, *e, e->Pregunta_Cambios(), kAviso, mb::YESNOCANCEL)) return false;
  return true;
}

bool TfrmLentilla::Dejar_Ficha() {
  return Dejar_Edicion(ctx_->aplicacion, *this, kCambios, kPregunta, mb::YESNOCANCEL | mb::ICONQUESTION);
}

// ---- Navigation --------------------------------------------------------------------------

void TfrmLentilla::Navegar(TDireccion direccion) {
  if (!Dejar_Todo()) return;
  TLentilla& actual = objetos_.Lentilla();
  actual.ID_PACIENTE(seleccion_.idPaciente);
  static constexpr TLentilla::TDireccion kDirecciones[] = {TLentilla::TDireccion::kPrimera,
                                                           TLentilla::TDireccion::kAnterior,
                                                           TLentilla::TDireccion::kSiguiente,
                                                           TLentilla::TDireccion::kUltima};
  const double clave =
      actual.Buscar_Vecina(kDirecciones[static_cast<int>(direccion)], ficha_->Texto_Numero().toLongLong());
  if (clave < 0) throw std::runtime_error(actual.Causa() ? actual.Causa()->what() : "No se han podido leer las fichas.");

  const double mostrada = fichaExistente_ ? actual.ID_MLENTILLA() : -1;
  if (clave != 0 && clave != mostrada) {
    TLentilla& l = objetos_.Lentilla();
    l.ID_PACIENTE(seleccion_.idPaciente);
    l.ID_MLENTILLA(clave);
    const int r = l.Buscar();
    if (r == -5) {
      ctx_->aplicacion->MessageBox(kSinUltima, kAviso, mb::OK);
    } else if (r == 0) {
      // Every control of the record is shown again, so nothing is cleared first.
      Poner_Titulo();
      Mostrar_Ficha(l);
      fichaExistente_ = true;
      seleccion_.idFicha = l.ID_MLENTILLA();  // handed back to the host on closing
      ctx_->acceso->Registrar_Ficha(*ctx_, TBDAcceso::kConsulta, l.ID_MLENTILLA(), l.NUMERO_FICHA(), l.FECHA());
    }
  }
  Modificado_Estado(false);
}

// ---- New, save, delete ----------------------------------------------------------------------

void TfrmLentilla::btnNuevoClick() {
  if (!Dejar_Ficha()) return;
  for (TParteFicha* p : Partes_Ficha()) p->Limpiar();
  ficha_->Limpiar_Graduacion();
  Poner_Titulo();
  ficha_->Cargar_Doctores();
  ficha_->Cargar_Agentes();
  if (ficha_->Texto_Numero().isEmpty()) return;
  if (Preparar_Nueva() != 0) return;
  TLentilla& l = objetos_.Lentilla();
  // For a patient with records the preparation has just loaded the last one.
  if (seleccion_.tieneFichas == 0) {
    l.ID_PACIENTE(seleccion_.idPaciente);
    l.Buscar_Ultima();
  }
  ficha_->Fijar_Numero(l.ID_MLENTILLA() > 0 ? l.NUMERO_FICHA() + 1 : 1);
  objetos_.Renovar_Lentilla();  // a fresh object for the new record
  pclLentilla_->setCurrentWidget(ficha_);
  ficha_->Enfocar();
  fichaExistente_ = false;
  Modificado_Estado(true);
}

void TfrmLentilla::Recoger_Ficha(TLentilla& l) {
  l.ID_PACIENTE(seleccion_.idPaciente);
  for (TParteFicha* p : Partes_Ficha()) p->Recoger(l);
}

void TfrmLentilla::btnGrabarClick() { Grabar_Ficha(); }

bool TfrmLentilla::Grabar_Ficha() {
  if (ficha_->Texto_Numero() == QLatin1String("0")) return true;
  if (!ficha_->Comprobar_Fechas() || !ficha_->Comprobar_Lineas()) return false;
  TLentilla& l = objetos_.Lentilla();
  Recoger_Ficha(l);
  const bool nueva = !fichaExistente_;
  const bool lineas = ficha_->Lineas_Modificadas();
  const std::vector<TLineaLentilla> lista = lineas ? ficha_->Lineas() : std::vector<TLineaLentilla>();
  const TResultado r = servicios_->fichas.Grabar(l, nueva, lineas ? &lista : nullptr,
                                                 ficha_->Sin_Fecha_Revision() ? 0 : ficha_->Fecha_Revision());
  // A new record goes under the next free number when another workstation
  // has just taken its own: the screen shows the number it has now.
  if (QString::number(l.NUMERO_FICHA()) != ficha_->Texto_Numero()) ficha_->Fijar_Numero(l.NUMERO_FICHA());
  if (!r.Hecho_Bien()) {
    // Nothing was written: the typed data stays on screen, still marked changed.
    if (Avisar_Resultado(ctx_, r, TEscrito::kFicha, TAccion::kGrabar) && Cargar_Ficha(l.ID_MLENTILLA()) == 0)
      Modificado_Estado(false);
    return false;
  }
  Avisar_Numero(r, l.NUMERO_FICHA());
  if (lineas) ficha_->Lineas_Grabadas();
  // The shop of the record, read again only when it is another shop's.
  TTienda& tienda = objetos_.Tienda();
  if (tienda.ID_TIENDA() != static_cast<int32_t>(l.ID_TIENDA()) || tienda.Resultado() != 0) {
    tienda.ID_TIENDA(static_cast<int32_t>(l.ID_TIENDA()));
    tienda.Buscar();
  }
  Poner_Titulo(tienda.DESCRIPCION());

  seleccion_.idFicha = l.ID_MLENTILLA();
  seleccion_.ultimaFicha = ficha_->Texto_Numero().toInt();
  seleccion_.tieneFichas = seleccion_.fichaGrabada = 1;
  if (nueva) {
    ++seleccion_.numLentillas;
    ficha_->Titulo_Fichas(seleccion_);
  }
  fichaExistente_ = true;
  Modificado_Estado(false);
  pclLentilla_->setCurrentWidget(ficha_);
  observaciones_->Actualizar_Imagen();
  return true;
}

void TfrmLentilla::Avisar_Numero(const TResultado& r, int numero) {
  if (r.Numero_Ocupado())
    sbr_Ayuda_->showMessage(QStringLiteral("La ficha se ha grabado con el número %1: otro puesto acababa de usar el %2.")
                                .arg(numero)
                                .arg(r.Numero_Ocupado()),
                            15000);
}

void TfrmLentilla::btnBorrarClick() {
  if (ficha_->Texto_Numero() == QLatin1String("0")) return;
  TLentilla& l = objetos_.Lentilla();
  const TResultado r = servicios_->fichas.Borrar(l, seleccion_.idPaciente);
  if (!r.Hecho_Bien()) {
    Avisar_Resultado(ctx_, r, TEscrito::kFicha, TAccion::kBorrar);
    return;
  }
  if (l.Buscar_Ultima() == 0) {
    ficha_->Limpiar_Graduacion();
    Mostrar_Ficha(l);
    --seleccion_.numLentillas;
    seleccion_.ultimaFicha = l.NUMERO_FICHA();
    seleccion_.idFicha = l.ID_MLENTILLA();
    ficha_->Titulo_Fichas(seleccion_);
  }
  fichaExistente_ = true;
  Modificado_Estado(false);
}

void TfrmLentilla::btnTrasponerClick() { ficha_->btnTrasponerClick(); }

void TfrmLentilla::btnSMSClick() {
  // For the record shown (a new one, not yet stored, has no key: 0).
  Abrir_SMS_Ficha(ctx_, fichaExistente_ ? objetos_.Lentilla().ID_MLENTILLA() : 0, this);
}

void TfrmLentilla::pcl_Lentilla_Change() {
  if (!ctx_ || cerrada_) return;
  if (pclLentilla_->currentWidget() == reposiciones_) {
    reposiciones_->Mostrar();
    return;
  }
  if (pclLentilla_->currentWidget() != pruebas_ || !pruebas_->Pendiente()) return;
  pruebas_->Cargar_Pruebas(true);
  pruebas_->Fijar_Pendiente(false);
  pruebas_->Marcar_Prueba(false);
}

void TfrmLentilla::Actualizar_Ultima_Visita() {
  if (ctx_->aplicacion->MessageBox(QStringLiteral("¿Desea actualizar la fecha de última visita del paciente?"),
                                   kPregunta, mb::YESNO | mb::ICONQUESTION) != mb::IDYES)
    return;
  if (!servicios_->paciente.Ultima_Visita(seleccion_.idPaciente).Hecho_Bien()) {
    ctx_->aplicacion->MessageBox(QStringLiteral("Lo que ha grabado está guardado, pero no se ha podido actualizar la "
                                                "fecha de última visita del paciente. Inténtelo de nuevo al grabar."),
                                 kAviso, mb::OK | mb::ICONWARNING);
    return;
  }
  seleccion_.fichaGrabada = 1;
}

// ---- Keys, guard, close ----------------------------------------------------------------------

void TfrmLentilla::Teclas(int tecla) {
  // F5 saves and F6 starts a new one of what the tab in front edits; F5 does
  // nothing where nothing changed (its save button is off too).
  TEdicion& e = Pagina_Activa()->Edicion();
  switch (tecla) {
    case Qt::Key_F5:
      if (e.Modificada()) Guardia(QLatin1String(etiqueta::kfrmLentilla_OnKeyDown), [&e] { e.Grabar(); });
      break;
    case Qt::Key_F6: Guardia(QLatin1String(etiqueta::kfrmLentilla_OnKeyDown), [&e] { e.Nuevo(); }); break;
    case Qt::Key_F12: close(); break;
  }
}

void TfrmLentilla::Guardia(const QString& etiqueta, const std::function<void()>& accion) {
  ::Guardia(ctx_, etiqueta, accion);
}

bool TfrmLentilla::event(QEvent* e) {
  if (e->type() == QEvent::StatusTip) {
    sbr_Ayuda_->showMessage(static_cast<QStatusTipEvent*>(e)->tip());
    return true;
  }
  if (e->type() == QEvent::WindowActivate && ctx_ && !cerrada_)
    Guardia(QStringLiteral("FormActivate"), [this] { FormActivate(); });
  return QWidget::event(e);
}

bool TfrmLentilla::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress && ctx_ && ctx_->teclado) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    auto* w = qobject_cast<QWidget*>(objeto);
    if ((tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) && w && (w == this || isAncestorOf(w)) &&
        w == QApplication::focusWidget() && !TLectorCuna::Espera_Intro(w)) {
      if (TCtrlTeclado::Pulsar_Boton_Con_Foco(this)) return true;
      if (ctx_->teclado->Enter_Mueve_Foco(this)) {
        focusNextChild();
        return true;
      }
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

void TfrmLentilla::closeEvent(QCloseEvent* e) {
  if (!cerrada_ && ctx_ && !Dejar_Todo()) {
    e->ignore();
    return;
  }
  FormClose();
  e->accept();
}

void TfrmLentilla::FormClose() {
  if (cerrada_ || !ctx_) return;
  cerrada_ = true;
  if (ctx_->acceso) ctx_->acceso->Registrar_Entrada_Salida(*ctx_, 1);
  seleccion_.moduloAbierto = 0;
  objetos_.Liberar();
  modulos_.Liberar_Todos();
  dm_.reset();
  Devolver_Seleccion();
}

void TfrmLentilla::Devolver_Seleccion() {
  TSeleccion& s = ctx_->seleccion;
  s.idPaciente = seleccion_.idFicha;  // 168 receives the record key the screen held
  s.ultimaFicha = seleccion_.ultimaFicha;
  s.numGraduaciones = seleccion_.numGraduaciones;
  s.numLentillas = seleccion_.numLentillas;
  s.numAudifonos = seleccion_.numAudifonos;
  s.numOptometrias = seleccion_.numOptometrias;
  s.numOptometriasReducidas = seleccion_.numOptometriasReducidas;
  s.tieneFichas = seleccion_.tieneFichas;
  s.fichaGrabada = seleccion_.fichaGrabada;
  s.moduloAbierto = 0;
  for (int i = 0; i < 3; ++i) s.textos[i] = seleccion_.textos[i];
}
