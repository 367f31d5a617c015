unit TabReg;

{ Registrierung von Tabula }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
