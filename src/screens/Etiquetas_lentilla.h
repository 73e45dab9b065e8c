#pragma once
// The labels the error report names a failed handler of the record screen
// by: the control and the event, as the shop's support service has always
// known them (their typing errors included: "OD Esferta", "cbxAgene",
// "OnClik"). Every handler of the record screen takes its label from here.

namespace etiqueta {
inline constexpr const char* kbtnPrimero_OnClick = "btnPrimero -> OnClick";
inline constexpr const char* kbtnAnterior_OnClick = "btnAnterior -> OnClick";
inline constexpr const char* kbtnSiguiente_OnClick = "btnSiguiente -> OnClick";
inline constexpr const char* kbtnUltimo_OnClick = "btnUltimo -> OnClick";
inline constexpr const char* kbtnNuevo_OnClick = "btnNuevo -> OnClick";
inline constexpr const char* kbtnGrabar_OnClick = "btnGrabar -> OnClick";
inline constexpr const char* kbtnBorrar_OnClick = "btnBorrar -> OnClick";
inline constexpr const char* kbtnVenta_OnClick = "btnVenta -> OnClick";
inline constexpr const char* kbtnEncargo_OnClick = "btnEncargo -> OnClick";
inline constexpr const char* kbtnTrasponer_OnClick = "btnTrasponer -> OnClick";
inline constexpr const char* kbtnSMS_OnClick = "btnSMS -> OnClick";
inline constexpr const char* kbtnAvisos_OnClick = "btnAvisos -> OnClick";
inline constexpr const char* kbtnImpFicha_OnClick = "btnImpFicha -> OnClick";
inline constexpr const char* kbtnImpGarantia_OnClick = "btnImpGarantia -> OnClick";
inline constexpr const char* kbtnImpReceta_OnClick = "btnImpReceta -> OnClick";
inline constexpr const char* kbtnImpFhir_OnClick = "btnImpFhir -> OnClick";
inline constexpr const char* kbtnImpFhirImportar_OnClick = "btnImpFhirImportar -> OnClick";
inline constexpr const char* kbtnPruebaDefinitiva_OnClick = "tbnPruebaDefinitiva -> OnClick";
inline constexpr const char* kbtnPruebaImprimir_OnClick = "tbn_Prueba_Imprimir -> OnClick";
inline constexpr const char* kbtnReposicionImprimir_OnClick = "tbnImprimirReposicion -> OnClick";
inline constexpr const char* kpclLentilla_OnChange = "PclLentilla -> OnChange";
inline constexpr const char* kfrmLentilla_OnKeyDown = "frmLentilla -> OnKeyDown";
inline constexpr const char* kOD_Abertura_Parpebral_OnExit = "OD Abertura Parpebral -> OnExit";
inline constexpr const char* kOI_Abertura_Papebral_OnExit = "OI Abertura Papebral -> OnExit";
inline constexpr const char* kOD_Diametro_Pupilar_OnExit = "OD Diametro Pupilar -> OnExit";
inline constexpr const char* kOI_Diametro_Pupilar_OnExit = "OI Diametro Pupilar -> OnExit";
inline constexpr const char* kOD_Diametro_Iris_OnExit = "OD Diametro Iris -> OnExit";
inline constexpr const char* kOI_Diametro_Iris_OnExit = "OI Diametro Iris -> OnExit";
inline constexpr const char* kOD_Esferta_OnExit = "OD Esferta -> OnExit";
inline constexpr const char* kOI_Esfera_OnExit = "OI Esfera -> OnExit";
inline constexpr const char* kOD_Cilindro_OnExit = "OD Cilindro -> OnExit";
inline constexpr const char* kOI_Cilindro_OnExit = "OI Cilindro -> OnExit";
inline constexpr const char* kOD_Eje_OnExit = "OD Eje -> OnExit";
inline constexpr const char* kOI_Eje_OnExit = "OI Eje -> OnExit";
inline constexpr const char* kOD_Diametro_OnExit = "OD Diametro -> OnExit";
inline constexpr const char* kOI_Diametro_OnExit = "OI Diametro -> OnExit";
inline constexpr const char* kOD_Zona_Optica_OnExit = "OD Zona Optica -> OnExit";
inline constexpr const char* kOI_Zona_Optica_OnExit = "OI Zona Optica -> OnExit";
inline constexpr const char* kOD_Adicion_OnExit = "OD Adicion -> OnExit";
inline constexpr const char* kOI_Adicion_OnExit = "OI Adicion -> OnExit";
inline constexpr const char* kOD_Agudeza_CC_OnExit = "OD Agudeza CC -> OnExit";
inline constexpr const char* kOI_Agudeza_CC_OnExit = "OI Agudeza CC -> OnExit";
inline constexpr const char* kedt_OD_Esfera_Prueba_OnExit = "ODEsferaPrueba -> OnExit";
inline constexpr const char* kedt_OI_Esfera_Prueba_OnExit = "OIEsferaPrueba -> OnExit";
inline constexpr const char* kedt_OD_Cilindro_Prueba_OnExit = "ODCilindroPrueba -> OnExit";
inline constexpr const char* kedt_OI_Cilindro_Prueba_OnExit = "OICilindroPrueba -> OnExit";
inline constexpr const char* kedt_OD_Eje_Prueba_OnExit = "ODEjePrueba -> OnExit";
inline constexpr const char* kedt_OI_Eje_Prueba_OnExit = "OIEjePrueba -> OnExit";
inline constexpr const char* kedt_OD_Diametro_Prueba_OnExit = "ODDiametroPrueba -> OnExit";
inline constexpr const char* kedt_OI_Diametro_Prueba_OnExit = "OIDiametroPrueba -> OnExit";
inline constexpr const char* kedt_OD_ZOptica_Prueba_OnExit = "ODZonaOptica -> OnExit";
inline constexpr const char* kedt_OI_ZOptica_Prueba_OnExit = "OIZonaOpticaPrueba -> OnExit";
inline constexpr const char* kedt_OD_Adicion_Prueba_OnExit = "ODAdicionPrueba -> OnExit";
inline constexpr const char* kedt_OI_Adicion_Prueba_OnExit = "OIAdicionPrueba -> OnExit";
inline constexpr const char* kedt_OD_AV_Prueba_OnExit = "ODAvPrueba -> OnExit";
inline constexpr const char* kedt_OI_AV_Prueba_OnExit = "OIAVPruebas -> OnExit";
inline constexpr const char* kedt_OD_Esf_Sobre_Prueba_OnExit = "ODEsfSobrePrueba -> OnExit";
inline constexpr const char* kedt_OI_Esf_Sobre_Prueba_OnExit = "OIEsferaSobPrueba -> OnExit";
inline constexpr const char* kedt_OD_Cil_Sobre_Prueba_OnExit = "ODCilindroSobrePrueba -> OnExit";
inline constexpr const char* kedt_OI_Cil_Sobre_Prueba_OnExit = "edt_OI_Cil_Sobre_Prueba -> OnExit";
inline constexpr const char* kedt_OD_Eje_Sobre_Prueba_OnExit = "ODEjeSobrePrueba -> OnExit";
inline constexpr const char* kedt_OI_Eje_Sobre_Prueba_OnExit = "OIEjeSobPrueba -> OnExit";
inline constexpr const char* kedt_OD_AV_Sobre_Prueba_OnExit = "ODAvSobrePrueba -> OnExit";
inline constexpr const char* kedt_OI_AV_Sobre_Prueba_OnExit = "OIAVSobPrueba -> OnExit";
inline constexpr const char* kbtnPruebaNueva_OnClick = "btnPruebaNueva -> OnClick";
inline constexpr const char* kbtnPruebaGrabar_OnClick = "btnPruebaGrabar -> OnClick";
inline constexpr const char* kbtnPruebaBorrar_OnClick = "btnPruebaBorrar -> OnClick";
inline constexpr const char* kbtnPruebaPrimero_OnClick = "btnPruebaPrimero -> OnClick";
inline constexpr const char* kbtnPruebaAnterior_OnClick = "btnPruebaAnterior -> OnClick";
inline constexpr const char* kbtnPruebaSiguiente_OnClick = "btnPruebaSiguiente -> OnClick";
inline constexpr const char* kbtnPruebaUltimo_OnClick = "btnPruebaUltimo -> OnClick";
inline constexpr const char* kbtnPruebaCalcular_OnClick = "btnPruebaCalcular -> OnClick";
inline constexpr const char* kedt_OI_Descripcion_Prueba_OnChange = "edt_OI_Descripcion_Prueba -> OnChange";
inline constexpr const char* kcbxAgentePrueba_OnKeyDown = "cbxAgentePrueba -> OnKeyDown";
inline constexpr const char* ktbnAgentePrueba_OnClick = "tbnAgentePrueba -> OnClick";
inline constexpr const char* kcbx_OD_TLentilla_Prueba_OnKeyDown = "cbx_OD_TLentilla_Prueba -> OnKeyDown";
inline constexpr const char* kcbx_OI_TLentilla_Prueba_OnKeyDown = "cbx_OI_TLentilla_Prueba -> OnKeyDown";
inline constexpr const char* kedt_OD_Descripcion_Prueba_OnButtonClick = "edtODDescripcionPrueba -> OnClick";
inline constexpr const char* kedt_OI_Descripcion_Prueba_OnButtonClick = "edtOIDescripcionPrueba -> OnClick";
inline constexpr const char* kedt_OD_Descripcion_Prueba_OnKeyDown = "edt_OD_Descripcion_Prueba -> OnKeyDown";
inline constexpr const char* kedt_OI_Descripcion_Prueba_OnKeyDown = "edt_OI_Descripcion_Prueba -> OnKeyDown";
inline constexpr const char* kcbx_OI_TLentilla_Prueba_OnEnter = "cbx_OI_TLentilla_Prueba -> OnEnter";
inline constexpr const char* kedt_OI_Descripcion_Prueba_OnEnter = "edt_OI_Descripcion_Prueba -> OnEnter";
inline constexpr const char* kedtOILotePrueba_OnEnter = "edtOILotePrueba -> OnEnter";
inline constexpr const char* kbtnReposicionNueva_OnClick = "btnReposicionNueva -> OnClick";
inline constexpr const char* kbtnReposicionGrabar_OnClick = "btnReposicionGrabar -> OnClick";
inline constexpr const char* kbtnReposicionBorrar_OnClick = "btnReposicionBorrar -> OnClick";
inline constexpr const char* kcbxDoctor_OnKeyDown = "cbxDoctor -> OnKeyDown";
inline constexpr const char* kcbxAgene_OnKeyDown = "cbxAgene -> OnKeyDown";
inline constexpr const char* ktbnDoctor_OnClick = "tbnDoctor -> OnClick";
inline constexpr const char* ktbnAgenteBorrado_OnClick = "tbnAgenteBorrado -> OnClick";
inline constexpr const char* kcbxDoctor_OnChange = "cbxDoctor -> OnChange";
inline constexpr const char* kcbx_OD_Tipo_Lentilla_OnKeyDown = "cbx_OD_Tipo_Lentilla -> OnKeyDown";
inline constexpr const char* kcbx_OI_Tipo_Lentilla_OnKeyDown = "cbx_OI_Tipo_Lentilla -> OnKeyDown";
inline constexpr const char* kedtODArticulo_OnClick = "edtODArticulo -> OnClick";
inline constexpr const char* kedtOIArticulo_OnClik = "edtOIArticulo -> OnClik";
inline constexpr const char* kedt_OD_Articulo_OnExit = "edt_OD_Articulo -> OnExit";
inline constexpr const char* kedt_OI_Articulo_OnExit = "edt_OI_Articulo -> OnExit";
inline constexpr const char* kedt_OD_Articulo_OnKeyDown = "edt_OD_Articulo -> OnKeyDown";
inline constexpr const char* kedt_OI_Articulo_OnKeyDown = "edt_OI_Articulo -> OnKeyDown";
inline constexpr const char* kedt_OD_Importe_OnChange = "edt_OD_Importe -> OnChange";
inline constexpr const char* kedt_OI_Importe_OnChange = "edt_OI_Importe -> OnChange";
inline constexpr const char* kedt_Liquido_OnButtonClick = "edtLiquido -> OnClick";
inline constexpr const char* kcbx_OI_Tipo_Lentilla_OnEnter = "cbx_OI_Tipo_Lentilla -> OnEnter";
inline constexpr const char* kedt_OI_Articulo_OnEnter = "edt_OI_Articulo -> OnEnter";
inline constexpr const char* kedt_OI_Importe_OnEnter = "edt_OI_Importe -> OnEnter";
inline constexpr const char* kedtOILote_OnEnter = "edtOILote -> OnEnter";

// All of them, for whoever must check them.
inline constexpr const char* kTodas[] = {
    kbtnPrimero_OnClick,
    kbtnAnterior_OnClick,
    kbtnSiguiente_OnClick,
    kbtnUltimo_OnClick,
    kbtnNuevo_OnClick,
    kbtnGrabar_OnClick,
    kbtnBorrar_OnClick,
    kbtnVenta_OnClick,
    kbtnEncargo_OnClick,
    kbtnTrasponer_OnClick,
    kbtnSMS_OnClick,
    kbtnAvisos_OnClick,
    kbtnImpFicha_OnClick,
    kbtnImpGarantia_OnClick,
    kbtnImpReceta_OnClick,
    kbtnPruebaDefinitiva_OnClick,
    kbtnPruebaImprimir_OnClick,
    kbtnReposicionImprimir_OnClick,
    kpclLentilla_OnChange,
    kfrmLentilla_OnKeyDown,
    kOD_Abertura_Parpebral_OnExit,
    kOI_Abertura_Papebral_OnExit,
    kOD_Diametro_Pupilar_OnExit,
    kOI_Diametro_Pupilar_OnExit,
    kOD_Diametro_Iris_OnExit,
    kOI_Diametro_Iris_OnExit,
    kOD_Esferta_OnExit,
    kOI_Esfera_OnExit,
    kOD_Cilindro_OnExit,
    kOI_Cilindro_OnExit,
    kOD_Eje_OnExit,
    kOI_Eje_OnExit,
    kOD_Diametro_OnExit,
    kOI_Diametro_OnExit,
    kOD_Zona_Optica_OnExit,
    kOI_Zona_Optica_OnExit,
    kOD_Adicion_OnExit,
    kOI_Adicion_OnExit,
    kOD_Agudeza_CC_OnExit,
    kOI_Agudeza_CC_OnExit,
    kedt_OD_Esfera_Prueba_OnExit,
    kedt_OI_Esfera_Prueba_OnExit,
    kedt_OD_Cilindro_Prueba_OnExit,
    kedt_OI_Cilindro_Prueba_OnExit,
    kedt_OD_Eje_Prueba_OnExit,
    kedt_OI_Eje_Prueba_OnExit,
    kedt_OD_Diametro_Prueba_OnExit,
    kedt_OI_Diametro_Prueba_OnExit,
    kedt_OD_ZOptica_Prueba_OnExit,
    kedt_OI_ZOptica_Prueba_OnExit,
    kedt_OD_Adicion_Prueba_OnExit,
    kedt_OI_Adicion_Prueba_OnExit,
    kedt_OD_AV_Prueba_OnExit,
    kedt_OI_AV_Prueba_OnExit,
    kedt_OD_Esf_Sobre_Prueba_OnExit,
    kedt_OI_Esf_Sobre_Prueba_OnExit,
    kedt_OD_Cil_Sobre_Prueba_OnExit,
    kedt_OI_Cil_Sobre_Prueba_OnExit,
    kedt_OD_Eje_Sobre_Prueba_OnExit,
    kedt_OI_Eje_Sobre_Prueba_OnExit,
    kedt_OD_AV_Sobre_Prueba_OnExit,
    kedt_OI_AV_Sobre_Prueba_OnExit,
    kbtnPruebaNueva_OnClick,
    kbtnPruebaGrabar_OnClick,
    kbtnPruebaBorrar_OnClick,
    kbtnPruebaPrimero_OnClick,
    kbtnPruebaAnterior_OnClick,
    kbtnPruebaSiguiente_OnClick,
    kbtnPruebaUltimo_OnClick,
    kbtnPruebaCalcular_OnClick,
    kedt_OI_Descripcion_Prueba_OnChange,
    kcbxAgentePrueba_OnKeyDown,
    ktbnAgentePrueba_OnClick,
    kcbx_OD_TLentilla_Prueba_OnKeyDown,
    kcbx_OI_TLentilla_Prueba_OnKeyDown,
    kedt_OD_Descripcion_Prueba_OnButtonClick,
    kedt_OI_Descripcion_Prueba_OnButtonClick,
    kedt_OD_Descripcion_Prueba_OnKeyDown,
    kedt_OI_Descripcion_Prueba_OnKeyDown,
    kcbx_OI_TLentilla_Prueba_OnEnter,
    kedt_OI_Descripcion_Prueba_OnEnter,
    kedtOILotePrueba_OnEnter,
    kbtnReposicionNueva_OnClick,
    kbtnReposicionGrabar_OnClick,
    kbtnReposicionBorrar_OnClick,
    kcbxDoctor_OnKeyDown,
    kcbxAgene_OnKeyDown,
    ktbnDoctor_OnClick,
    ktbnAgenteBorrado_OnClick,
    kcbxDoctor_OnChange,
    kcbx_OD_Tipo_Lentilla_OnKeyDown,
    kcbx_OI_Tipo_Lentilla_OnKeyDown,
    kedtODArticulo_OnClick,
    kedtOIArticulo_OnClik,
    kedt_OD_Articulo_OnExit,
    kedt_OI_Articulo_OnExit,
    kedt_OD_Articulo_OnKeyDown,
    kedt_OI_Articulo_OnKeyDown,
    kedt_OD_Importe_OnChange,
    kedt_OI_Importe_OnChange,
    kedt_Liquido_OnButtonClick,
    kcbx_OI_Tipo_Lentilla_OnEnter,
    kedt_OI_Articulo_OnEnter,
    kedt_OI_Importe_OnEnter,
    kedtOILote_OnEnter,
};
}  // namespace etiqueta
