unit KKReg;

{ Kurven und Kennlinien }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
