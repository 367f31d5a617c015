unit KPReg;

{ KompaktPack }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
