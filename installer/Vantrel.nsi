; The Windows installer. It copies the program folder to the folder the
; user chooses (program files + "\Vantrel <major>" unless changed on the
; folder page or by /D=) and hands over to the program's own "install" verb,
; which makes the shortcuts and the installed-programs entry; that entry's
; command runs the program's "uninstall" verb from wherever it was put, so
; the installer writes no entry or uninstaller of its own.
;
; Defined by scripts/release.sh: VERSION (3.07), MAJOR (3), FILEVERSION
; (3.7.0.0), DIST (the program folder) and OUTFILE.

; A 64-bit installer, like the program: it runs where the program runs, also
; where no 32-bit subsystem is present.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"

Name "Vantrel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vantrel ${MAJOR}"
BrandingText "Vantrel ${VERSION}"

VIProductVersion "${FILEVERSION}"
VIAddVersionKey "ProductName" "Vantrel"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Vantrel ${VERSION} setup"
VIAddVersionKey "LegalCopyright" ""

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Section "Vantrel"
  SetOutPath "$INSTDIR"
  File /r "${DIST}/*"
  DetailPrint "Making the shortcuts and the uninstall entry"
  ExecWait '"$INSTDIR\Vantrel.exe" install' $0
  ${If} $0 != 0
    DetailPrint "The program's installation step ended with code $0"
  ${EndIf}
SectionEnd
