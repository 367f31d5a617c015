unit DBLotse;  { Datenbanknavigator }
interface
implementation
end.
