program Adressen;

begin
end.
