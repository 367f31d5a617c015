unit DBLotse;

{ Datenbanknavigator }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
