program TermDemo;

begin
end.
