-- A synchronous FIFO with full and empty flags.
library ieee;
use ieee.std_logic_1164.all;
use ieee.numeric_std.all;

entity fifo is
    generic (
        DATA_WIDTH : integer := 8;
        DEPTH_LOG2 : integer := 4
    );
    port (
        clk      : in  std_logic;
        rst      : in  std_logic;
        wr_en    : in  std_logic;
        wr_data  : in  std_logic_vector(DATA_WIDTH - 1 downto 0);
        rd_en    : in  std_logic;
        rd_data  : out std_logic_vector(DATA_WIDTH - 1 downto 0);
        full     : out std_logic;
        empty    : out std_logic
    );
end entity fifo;

architecture behavioural of fifo is
    constant DEPTH : integer := 2 ** DEPTH_LOG2;
    type memory_t is array (0 to DEPTH - 1) of std_logic_vector(DATA_WIDTH - 1 downto 0);
    signal memory   : memory_t;
    signal wr_ptr   : unsigned(DEPTH_LOG2 - 1 downto 0) := (others => '0');
    signal rd_ptr   : unsigned(DEPTH_LOG2 - 1 downto 0) := (others => '0');
    signal count    : integer range 0 to DEPTH := 0;
begin
    full  <= '1' when count = DEPTH else '0';
    empty <= '1' when count = 0 else '0';

    process (clk) is
        variable next_count : integer range 0 to DEPTH;
    begin
        if rising_edge(clk) then
            if rst = '1' then
                wr_ptr <= (others => '0');
                rd_ptr <= (others => '0');
                count <= 0;
            else
                next_count := count;
                if wr_en = '1' and count < DEPTH then
                    memory(to_integer(wr_ptr)) <= wr_data;
                    wr_ptr <= wr_ptr + 1;
                    next_count := next_count + 1;
                end if;
                if rd_en = '1' and count > 0 then
                    rd_data <= memory(to_integer(rd_ptr));
                    rd_ptr <= rd_ptr + 1;
                    next_count := next_count - 1;
                end if;
                count <= next_count;
            end if;
        end if;
    end process;
end architecture behavioural;
