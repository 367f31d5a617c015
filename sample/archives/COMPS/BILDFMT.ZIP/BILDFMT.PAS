unit BildFmt;

{ Lader für weitere Bildformate }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
